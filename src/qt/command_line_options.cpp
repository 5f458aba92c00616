#include "qt/command_line_options.h"

#include <string_view>

namespace qtfront {

namespace {

constexpr const char* kHelp =
    "Aufruf: marquill [--help | --version]\n"
    "\n"
    "Marquill installiert POI-Kategorien auf die SD-Karte eines NavMan-Navigationsgeräts.\n"
    "Den Ordner der POI-Daten und den der SD-Karte gibt man im Fenster an; beide merkt\n"
    "sich das Programm für den nächsten Start. Sonst nimmt es nichts von der Befehlszeile.\n"
    "\n"
    "  -h, --help     diese Hilfe zeigen und beenden\n"
    "      --version  die Version zeigen und beenden\n"
    "\n"
    "Einstellungen: $XDG_CONFIG_HOME/marquill/registry.reg "
    "(meist ~/.config/marquill/registry.reg)\n";

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
    if (argc < 2) return {};
    const std::string_view first = argv[1];
    if (argc == 2 && (first == "--help" || first == "-h"))
        return {.request = Request::ShowHelp, .refused = {}};
    if (argc == 2 && first == "--version") return {.request = Request::ShowVersion, .refused = {}};
    const bool firstKnown = first == "--help" || first == "-h" || first == "--version";
    return {.request = Request::Refuse, .refused = firstKnown ? argv[2] : argv[1]};
}

int Answer(const CommandLine& commandLine, std::FILE* out, std::FILE* err) {
    switch (commandLine.request) {
        case Request::ShowHelp:
            std::fputs(kHelp, out);
            return 0;
        case Request::ShowVersion:
            std::fputs("Marquill " MARQUILL_VERSION "\n", out);
            return 0;
        case Request::Refuse:
            std::fprintf(err, "marquill: unbekanntes Argument „%s“\nHilfe: marquill --help\n",
                         commandLine.refused.c_str());
            return 2;
        case Request::OpenWindow:
            break;
    }
    return 0;
}

}  // namespace qtfront
