#include "ui/dialogs/KxCheckCompilerSwitches.h"

#include "base/Exception.h"

#include <iterator>

namespace ostrel {

void CheckCompilerSwitches(std::vector<std::string>* lines)
{
    if (lines == nullptr) {
        throw Exception("Liste in CheckCompilerSwitches ist nicht assigned");
    }
    // Shown as they are, so the spacing and the 8-bit umlauts must stay.
    static const char* const switches[] = {
        "(-)  Vollständige Bool-Prüfung",
        "(-)  Assertions",
        "(-)  Debuginformationen",
        "(+) I/O-Prüfung",
        "(-)  Lokale Debugsymbole",
        "(-)  RTTI",
        "(+) Optimierung",
        "(-)  Überlaufprüfung",
        "(-)  Bereichsprüfung",
        "(-)  SaveDivide",
        "(-)  Stackframes",
        "(+) Erweiterte Syntax",
        "(-)  Symbolinformation",
    };
    lines->insert(lines->end(), std::begin(switches), std::end(switches));
}

}  // namespace ostrel
