#include "tools/lsp/salvataggio.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "tools/lsp/testo_editor.h"

namespace {

using json = nlohmann::json;

const std::string bom_utf8 = "\xef\xbb\xbf";

// The lines of a text without their line ends, the empty lines at its end left out.
std::vector<std::string_view> righe(std::string_view t) {
    const std::vector<std::size_t> inizi = inizi_righe(t);
    std::vector<std::string_view> r;
    for (std::size_t i = 0; i < inizi.size(); ++i) {
        std::size_t fine = i + 1 < inizi.size() ? inizi[i + 1] : t.size();
        while (fine > inizi[i] && (t[fine - 1] == '\n' || t[fine - 1] == '\r')) --fine;
        r.push_back(t.substr(inizi[i], fine - inizi[i]));
    }
    while (!r.empty() && r.back().empty()) r.pop_back();
    return r;
}

// The first line where two texts differ; their number of lines when none does.
std::size_t prima_diversa(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t k = 0;
    while (k < n && a[k] == b[k]) ++k;
    return k;
}

// The file on disk holds the buffer as UTF-8 (with or without its byte-order mark).
bool salvato_in_utf8(const std::vector<std::string_view>& buffer, std::string_view disco) {
    if (disco.substr(0, bom_utf8.size()) == bom_utf8) disco.remove_prefix(bom_utf8.size());
    const std::vector<std::string_view> d = righe(disco);
    return d.size() == buffer.size() && prima_diversa(buffer, d) == d.size();
}

}  // namespace

std::optional<json> avviso_salvato(const std::string& buffer, const std::string& disco) {
    const std::string byte = in_1252(buffer).byte;
    const std::vector<std::string_view> attese = righe(byte);
    const std::vector<std::string_view> trovate = righe(disco);
    const std::size_t k = prima_diversa(attese, trovate);
    if (k == attese.size() && k == trovate.size()) return std::nullopt;
    const std::string perche = salvato_in_utf8(righe(buffer), disco)
                                   ? "saved as UTF-8? set the editor to save in Windows-1252 (docs/editor.md)"
                                   : "the build reads the file on disk; save the buffer in Windows-1252 (docs/editor.md)";
    const std::vector<std::size_t> inizi = inizi_righe(buffer);
    const auto riga = static_cast<std::int32_t>(std::min(k, inizi.size() - 1)) + 1;
    const posizione_editor da = in_editor(buffer, inizi, riga, 1);
    const posizione_editor a = in_editor(buffer, inizi, riga, std::numeric_limits<std::int32_t>::max());
    return json{{"range", {{"start", {{"line", da.riga}, {"character", da.carattere}}},
                           {"end", {{"line", a.riga}, {"character", a.carattere}}}}},
                {"severity", 2},
                {"code", codice_disco},
                {"source", "scenario-tool"},
                {"message", "the file on disk holds other bytes than this buffer: " + perche}};
}
