// Paths as the author gives them: the directory that holds the file and its
// name, a root keeping its separator.
#include <gtest/gtest.h>

#include "tools/comune/percorsi.h"

namespace {

TEST(Percorsi, DirectoryAndName) {
    struct caso {
        std::string percorso, cartella, nome;
    };
    const caso casi[] = {
        {"L_linea.txt", ".", "L_linea.txt"},
        {"dir/L_linea.txt", "dir", "L_linea.txt"},
        {"a/b/L_1-.txt", "a/b", "L_1-.txt"},
        {"/L_1.sim", "/", "L_1.sim"},
        {"dir/", "dir", ""},
#ifdef _WIN32
        {"C:\\L_1.sim", "C:\\", "L_1.sim"},
        {"C:/L_1.sim", "C:/", "L_1.sim"},
        {"dir\\sub\\L_1.dat", "dir\\sub", "L_1.dat"},
#else
        {"a\\b.txt", ".", "a\\b.txt"},  // a backslash is part of a POSIX name
#endif
    };
    for (const caso& c : casi) {
        const auto [cartella, nome] = separa_percorso(c.percorso);
        EXPECT_EQ(cartella, c.cartella) << c.percorso;
        EXPECT_EQ(nome, c.nome) << c.percorso;
        EXPECT_EQ(nome_base(c.percorso), c.nome) << c.percorso;
    }
}

}  // namespace
