// What the server looks at when a buffer is saved: the file on disk should
// hold the bytes the build reads from the buffer, its text in Windows-1252.
// An editor set to save in UTF-8 writes "È" as C3 88; the buffer shows no
// problem, and check on the file warns. The server says so on the buffer.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

// The code of that warning.
inline constexpr const char* codice_disco = "disk-bytes";

// The warning for a saved buffer (UTF-8) whose file on disk holds other bytes
// than its Windows-1252, line ends and empty lines at the end aside; at the
// first line that differs. Nothing when they agree.
std::optional<nlohmann::json> avviso_salvato(const std::string& buffer, const std::string& disco);
