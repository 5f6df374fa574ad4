#include "tools/argomenti.h"


const char* const testo_uso =
    "usage: scenario-tool compile LINE_FILE TRAIN_FILE [--out DIR] [--line-name NAME]\n"
    "                             [--train-number NUM] [--no-plan] [--json]\n"
    "       scenario-tool view FILE... -o PAGE.html\n"
    "       scenario-tool --help | scenario-tool compile --help | scenario-tool view --help\n";

const char* const testo_aiuto =
    "scenario-tool: tools for scenario authors.\n"
    "\n"
    "Commands:\n"
    "  compile   compile a line file and a train file into the three binary\n"
    "            scenario files, as the scenario builder does, and report the\n"
    "            status that the build recorded\n"
    "  view      write an HTML page with the plan and the profile of a\n"
    "            scenario, from its text sources or its binary files\n"
    "\n"
    "Run 'scenario-tool compile --help' or 'scenario-tool view --help' for the details.\n"
    "\n";

const char* const testo_aiuto_compila =
    "scenario-tool compile LINE_FILE TRAIN_FILE [options]\n"
    "\n"
    "Runs the track build of the scenario builder on your own line and train\n"
    "description files and writes, into DIR:\n"
    "  NAME_linea.dat    the line plan (not with --no-plan)\n"
    "  NAME_NUM.sim      the scenario table\n"
    "  NAME_NUM.dat      the track\n"
    "replacing files of the same names. Your input files are never changed,\n"
    "moved or deleted: the build works on copies in a private temporary\n"
    "directory. A missing input file is reported as the build reports it\n"
    "(status 101 for the line file, 25 for the train file). An output file\n"
    "that would be one of the input files is a usage error.\n"
    "\n"
    "Names: NAME is the line name and NUM the train number. They default from\n"
    "the file names: LINE_FILE named \"NAME_linea.txt\" gives NAME; TRAIN_FILE\n"
    "named \"NAME_NUM-.txt\" gives NUM (when the file name does not begin with\n"
    "NAME and \"_\", NUM is what follows its last \"_\"). When a file name does\n"
    "not have that form, the matching option is required. Names are used as\n"
    "bytes (the scenario files hold Windows-1252 text) and may not be empty or\n"
    "hold '/' or '\\'.\n"
    "\n"
    "Options:\n"
    "  --out DIR            where the binary files go (default: the current\n"
    "                       directory, which must exist)\n"
    "  --line-name NAME     the line name\n"
    "  --train-number NUM   the train number\n"
    "  --no-plan            build without the line plan and do not write\n"
    "                       NAME_linea.dat\n"
    "  --json               print exactly one JSON object on standard output\n"
    "                       and nothing else (see below)\n"
    "  --help               this text\n"
    "  --                   the arguments that follow are files\n"
    "\n"
    "Report: a status recorded by the build is printed on standard error as\n"
    "  error N at P m: MESSAGE\n"
    "with the line and column of the source file where the compiler stopped,\n"
    "when known. The files are still written, as the builder writes them.\n"
    "A numbered message of the builder (\" Errore n. 1250\" or 1251), a build\n"
    "that left no track, or a failing file operation writes no scenario file\n"
    "(\"fatal\").\n"
    "\n"
    "JSON: {\"status\": N, \"position\": P, \"fatal\": null | \"1250\" | \"1251\" |\n"
    "\"no-track\" | \"io\", \"message\": TEXT, \"files\": [names written]}.\n"
    "Strings are pure ASCII: control characters, '\"' and '\\' are escaped, and\n"
    "bytes above 127 are taken as Windows-1252 characters and written as\n"
    "\\uXXXX escapes of their Unicode code points.\n"
    "\n"
    "Exit status:\n"
    "  0  the build recorded no status\n"
    "  1  the build recorded a status (the files are written)\n"
    "  2  usage error\n"
    "  3  fatal: no scenario file could be written\n";

namespace {

[[noreturn]] void uso(const std::string& messaggio) { throw errore_uso{messaggio}; }

bool e_aiuto(const std::string& a) { return a == "--help" || a == "-h"; }

// Splits "--name=value" into its two parts.
bool separa_uguale(const std::string& a, std::string& nome, std::string& valore) {
    const std::size_t uguale = a.find('=');
    if (a.rfind("--", 0) != 0 || uguale == std::string::npos) return false;
    nome = a.substr(0, uguale);
    valore = a.substr(uguale + 1);
    return true;
}

void imposta(std::optional<std::string>& dove, const std::string& opzione, const std::string& valore) {
    if (dove.has_value()) uso("option " + opzione + " given twice");
    dove = valore;
}

// --help among the options (before "--") wins over every mistake.
bool chiede_aiuto(const std::vector<std::string>& a) {
    for (std::size_t i = 1; i < a.size() && a[i] != "--"; ++i) {
        if (e_aiuto(a[i])) return true;
    }
    return false;
}

comando_strumento analizza_compila(const std::vector<std::string>& a) {
    comando_strumento c;
    c.azione = chiede_aiuto(a) ? azione_strumento::aiuto_compila : azione_strumento::compila;
    if (c.azione == azione_strumento::aiuto_compila) return c;
    richiesta_compilazione& r = c.richiesta;
    std::optional<std::string> uscita;
    std::vector<std::string> file;
    bool solo_file = false;
    for (std::size_t i = 1; i < a.size(); ++i) {
        const std::string& x = a[i];
        if (solo_file || x.size() < 2 || x[0] != '-') {
            file.push_back(x);
            continue;
        }
        if (x == "--") {
            solo_file = true;
            continue;
        }
        if (x == "--no-plan") {
            r.senza_planimetria = true;
            continue;
        }
        if (x == "--json") {
            r.json = true;
            continue;
        }
        std::string nome = x;
        std::string valore;
        const bool con_uguale = separa_uguale(x, nome, valore);
        std::optional<std::string>* dove = nullptr;
        if (nome == "--out") dove = &uscita;
        if (nome == "--line-name") dove = &r.nome_linea;
        if (nome == "--train-number") dove = &r.numero_treno;
        if (dove == nullptr) uso("unknown option " + nome);
        if (!con_uguale) {
            if (i + 1 >= a.size()) uso("option " + nome + " needs a value");
            valore = a[++i];
        }
        imposta(*dove, nome, valore);
    }
    if (file.size() != 2) uso("compile needs exactly two files, LINE_FILE and TRAIN_FILE (" +
                              std::to_string(file.size()) + " given)");
    r.file_linea = file[0];
    r.file_treno = file[1];
    if (uscita.has_value()) {
        if (uscita->empty()) uso("option --out needs a directory");
        r.cartella_uscita = *uscita;
    }
    if (r.nome_linea) verifica_nome(*r.nome_linea, "line name");
    if (r.numero_treno) verifica_nome(*r.numero_treno, "train number");
    return c;
}

}  // namespace

void verifica_nome(const std::string& nome, const std::string& che_cosa) {
    if (nome.empty()) uso("the " + che_cosa + " is empty");
    if (nome.find_first_of("/\\") != std::string::npos) uso("the " + che_cosa + " \"" + nome + "\" holds a path separator");
}

comando_strumento analizza_argomenti(const std::vector<std::string>& a) {
    if (a.empty()) uso("no command given");
    if (e_aiuto(a[0])) return {azione_strumento::aiuto, {}};
    if (a[0] != "compile") uso("unknown command \"" + a[0] + "\"");
    return analizza_compila(a);
}
