#include "tests/prestazioni/misura.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace {

[[noreturn]] void figlio(const std::vector<std::string>& argomenti) {
    const int nulla = ::open("/dev/null", O_RDWR);
    if (nulla >= 0) {
        ::dup2(nulla, 0);
        ::dup2(nulla, 1);
        ::dup2(nulla, 2);
    }
    std::vector<char*> argv;
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

}  // namespace

misura_processo esegui_misurato(const std::vector<std::string>& argomenti) {
    const auto inizio = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) figlio(argomenti);
    int stato = 0;
    rusage uso{};
    if (::wait4(pid, &stato, 0, &uso) != pid) throw std::runtime_error("wait4 failed");
    const auto fine = std::chrono::steady_clock::now();
    misura_processo m;
    m.millisecondi = std::chrono::duration<double, std::milli>(fine - inizio).count();
    m.mb_picco = static_cast<double>(uso.ru_maxrss) / 1024.0;  // kilobytes on Linux
    m.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    return m;
}

double mediana(std::vector<double> valori) {
    std::sort(valori.begin(), valori.end());
    const std::size_t n = valori.size();
    return n % 2 == 1 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

bool stessi_byte(const std::string& a, const std::string& b) {
    std::FILE* fa = std::fopen(a.c_str(), "rb");
    std::FILE* fb = std::fopen(b.c_str(), "rb");
    bool uguali = fa != nullptr && fb != nullptr;
    char ba[65536];
    char bb[65536];
    while (uguali) {
        const std::size_t na = std::fread(ba, 1, sizeof ba, fa);
        const std::size_t nb = std::fread(bb, 1, sizeof bb, fb);
        uguali = na == nb && std::equal(ba, ba + na, bb);
        if (na == 0) break;
    }
    if (fa != nullptr) std::fclose(fa);
    if (fb != nullptr) std::fclose(fb);
    return uguali;
}
