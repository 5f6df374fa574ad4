// Test support: a client of the servers on 127.0.0.1 whose every wait is
// bounded (5 s unless told), so that a server that keeps quiet fails a test
// instead of hanging it.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

// One connection the test holds.
struct connessione_prova {
    int s = -1;
    bool aperta = false;

    // `buffer_ricezione` above 0: the system's receive buffer, set before the
    // connection, so that a client that never reads holds little.
    explicit connessione_prova(std::uint16_t porta, int buffer_ricezione = 0) {
        s = socket(AF_INET, SOCK_STREAM, 0);
        if (s < 0) return;
        attesa(std::chrono::seconds(5));
        if (buffer_ricezione > 0) setsockopt(s, SOL_SOCKET, SO_RCVBUF, &buffer_ricezione, sizeof buffer_ricezione);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(porta);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        aperta = connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    }
    ~connessione_prova() {
        if (s >= 0) close(s);
    }
    connessione_prova(const connessione_prova&) = delete;
    connessione_prova& operator=(const connessione_prova&) = delete;

    // How long a read waits for the next bytes.
    void attesa(std::chrono::milliseconds t) {
        timeval limite{static_cast<time_t>(t.count() / 1000), static_cast<suseconds_t>(t.count() % 1000 * 1000)};
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limite, sizeof limite);
    }

    bool invia(const std::string& t) {
        return aperta && send(s, t.data(), t.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(t.size());
    }

    // Reads until `basta` says it is enough, the connection ends or a wait
    // runs out.
    std::string leggi(const std::function<bool(const std::string&)>& basta = nullptr) {
        std::string letti;
        char b[4096];
        while (aperta && !(basta && basta(letti))) {
            const ssize_t n = recv(s, b, sizeof b, 0);
            if (n <= 0) break;
            letti.append(b, static_cast<std::size_t>(n));
        }
        return letti;
    }

    // Whether the server ended the connection: what it sent is read and
    // thrown away until the end (true) or a wait of 5 s runs out (false).
    bool chiusa_dal_server() {
        char b[65536];
        while (true) {
            const ssize_t n = recv(s, b, sizeof b, 0);
            if (n == 0) return true;
            if (n < 0) return errno == ECONNRESET;
        }
    }
};

// Sends `richiesta` to 127.0.0.1:porta and reads until `basta` says the
// answer is whole, the connection ends, or 5 s pass.
inline std::string chiedi(std::uint16_t porta, const std::string& richiesta,
                          const std::function<bool(const std::string&)>& basta = nullptr) {
    connessione_prova c(porta);
    if (!c.invia(richiesta)) return {};
    return c.leggi(basta);
}

inline std::string get(std::uint16_t porta, const std::string& percorso, const std::string& host = "") {
    const std::string h = host.empty() ? "127.0.0.1:" + std::to_string(porta) : host;
    return chiedi(porta, "GET " + percorso + " HTTP/1.1\r\nHost: " + h + "\r\nConnection: close\r\n\r\n");
}

// The body of an answer read whole.
inline std::string corpo(const std::string& risposta) { return risposta.substr(risposta.find("\r\n\r\n") + 4); }
