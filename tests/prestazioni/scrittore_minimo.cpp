// scrittore-minimo: the floor that the benchmark sets a build against, a
// trivial writer of the same output bytes.
//
//   scrittore-minimo OUT_DIR [--sources LINE TRAIN] FILE...
//
// It reads the two text sources whole (as any compiler of them must), then
// for each FILE reads its bytes into memory and writes them to OUT_DIR under
// the same name, replacing the file there, and frees them before the next.
//
// Where the bytes come from: a separate process cannot be handed the output
// bytes in memory before its clock starts, and computing them would be the
// build itself. So each FILE is a copy of an expected output, prepared by the
// benchmark beforehand and therefore in the page cache: reading it is a copy
// from the kernel's memory at memory speed, the cheapest way there is to
// materialise the bytes in the process's own memory, which any writer of them
// must do before writing them out. A floor that wrote straight from a mapping
// of the prepared file would skip even that, and would no longer be a writer
// of its own bytes. The floor thus does the least work a writer of these files
// can do: read the sources, hold each output's bytes, write them.
//
// Exit status 0, or 1 with a message when a file cannot be read or written.
// Only the benchmark runs it; the command line is its own.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool fallito(const char* operazione, const std::string& percorso) {
    std::fprintf(stderr, "scrittore-minimo: %s \"%s\": %s\n", operazione, percorso.c_str(), std::strerror(errno));
    return false;
}

bool leggi(const std::string& percorso, std::vector<char>& contenuto) {
    std::FILE* f = std::fopen(percorso.c_str(), "rb");
    if (f == nullptr) return fallito("open", percorso);
    bool buono = std::fseek(f, 0, SEEK_END) == 0;
    const long dimensione = buono ? std::ftell(f) : -1;
    buono = buono && dimensione >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    if (buono) {
        contenuto.resize(static_cast<std::size_t>(dimensione));
        buono = std::fread(contenuto.data(), 1, contenuto.size(), f) == contenuto.size();
    }
    std::fclose(f);
    return buono || fallito("read", percorso);
}

// Replaces the file as the build does: deletes it, then creates it anew. Truncating
// the old file instead would be slower, not faster: on ext4 a file truncated to
// nothing and written again is flushed to the disk when it is closed.
bool scrivi(const std::string& percorso, const std::vector<char>& contenuto) {
    if (std::remove(percorso.c_str()) != 0 && errno != ENOENT) return fallito("delete", percorso);
    std::FILE* f = std::fopen(percorso.c_str(), "wb");
    if (f == nullptr) return fallito("create", percorso);
    const bool scritto = std::fwrite(contenuto.data(), 1, contenuto.size(), f) == contenuto.size();
    return (std::fclose(f) == 0 && scritto) || fallito("write", percorso);
}

std::string nome_di(const std::string& percorso) {
    const std::size_t barra = percorso.find_last_of('/');
    return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scrittore-minimo OUT_DIR [--sources LINE TRAIN] FILE...\n");
        return 1;
    }
    const std::string uscita = argv[1];
    int i = 2;
    if (i < argc && std::string(argv[i]) == "--sources") {
        if (i + 2 >= argc) return 1;
        std::vector<char> linea;
        std::vector<char> treno;
        if (!leggi(argv[i + 1], linea) || !leggi(argv[i + 2], treno)) return 1;
        i += 3;
    }
    for (; i < argc; ++i) {
        std::vector<char> bytes;
        if (!leggi(argv[i], bytes) || !scrivi(uscita + "/" + nome_di(argv[i]), bytes)) return 1;
    }
    return 0;
}
