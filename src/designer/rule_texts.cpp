#include "designer/rule_texts.h"

#include "ui/texts.h"

namespace {

QString Half(int twice) {
    return QString::number(twice / 2.0);
}

QString Holds(int lang, RuleId id) {
    switch (id) {
    case RuleId::Bounds:
        return Text(lang, "Alle Dreiecke liegen auf dem Brett", "Every triangle is on the board");
    case RuleId::StartAreas:
        return Text(lang, "Frei von den Startplätzen", "Clear of the starting places");
    case RuleId::TargetWindow:
        return Text(lang, "Ganz im Zielfenster", "Whole in the target window");
    case RuleId::Centred:
        return Text(lang, "In der Mitte", "Centred");
    case RuleId::OnePiece:
        return Text(lang, "Ein einziges Stück", "One single piece");
    case RuleId::EdgeJoined:
        return Text(lang, "Entlang der Kanten verbunden", "Joined along edges");
    case RuleId::Layable:
        return Text(lang, "Dreieck für Dreieck legbar", "Can be laid triangle by triangle");
    case RuleId::Distinct:
        return Text(lang, "Anders als jede Figur der Sammlung",
                    "Unlike every figure of the collection");
    case RuleId::Recognised:
        return Text(lang, "Die Lösungsprüfung erkennt genau diese Figur",
                    "The solution check knows exactly this figure");
    }
    return {};
}

QString Turned(int lang, int symmetry) {
    switch (symmetry) {
    case 0:
        return Text(lang, "gleich wie", "the same as");
    case 1:
        return Text(lang, "eine Vierteldrehung von", "a quarter turn of");
    case 2:
        return Text(lang, "eine halbe Drehung von", "a half turn of");
    case 3:
        return Text(lang, "eine Dreivierteldrehung von", "a three-quarter turn of");
    case 4:
        return Text(lang, "das Spiegelbild von", "the mirror image of");
    default:
        return Text(lang, "gedreht das Spiegelbild von", "the mirror image, turned, of");
    }
}

QString Fails(int lang, const RuleResult& r, const QString& otherName) {
    const int a = r.Detail[0], b = r.Detail[1];
    switch (r.Id) {
    case RuleId::Bounds:
        return Text(lang, "Dreieck %1 liegt nicht auf dem Brett", "Triangle %1 is off the board")
            .arg(a);
    case RuleId::StartAreas:
        return Text(lang, "Reicht über die Spalten %1 bis %2; frei sind 16 bis 73",
                    "Reaches columns %1 to %2; the free ones are 16 to 73")
            .arg(a)
            .arg(b);
    case RuleId::TargetWindow:
        return Text(lang, "Reicht über die Zeilen %1 bis %2; das Zielfenster zeigt 1 bis 59",
                    "Reaches rows %1 to %2; the target window shows 1 to 59")
            .arg(a)
            .arg(b);
    case RuleId::Centred:
        return Text(lang, "Mitte bei (%1, %2), mehr als 2 von (45, 30): Zentrieren hilft",
                    "Middle at (%1, %2), more than 2 from (45, 30): Centre mends it")
            .arg(Half(a), Half(b));
    case RuleId::OnePiece:
        return Text(lang, "Zerfällt in %1 Stücke", "Falls into %1 pieces").arg(a);
    case RuleId::EdgeJoined:
        if (a)
            return Text(lang, "Dreieck %1 hängt nur an einer Ecke",
                        "Triangle %1 hangs on by a corner only")
                .arg(a);
        return Text(lang, "Entlang der Kanten geschnitten zerfällt sie in %1 Stücke",
                    "Cut along its shared edges it falls into %1 pieces")
            .arg(b);
    case RuleId::Layable:
        return Text(lang, "Dreiecke liegen übereinander: keine Reihenfolge lässt sich legen",
                    "Triangles lie over each other: no order of them can be laid");
    case RuleId::Distinct: {
        QString text =
            Text(lang, "Ist %1 Figur %2", "Is %1 figure %2").arg(Turned(lang, b)).arg(a + 1);
        if (!otherName.isEmpty()) text += QString(" (%1)").arg(otherName);
        return text;
    }
    case RuleId::Recognised:
        if (b == 0)
            return Text(lang, "Die Lösungsprüfung findet keine Anordnung",
                        "The solution check finds no arrangement");
        if (b == RegionSearchCutOff)
            return Text(lang, "Die Suche nach anderen Schnitten des Umrisses gab auf",
                        "The search for other cuts of the outline gave up");
        if (b < 0)
            return Text(lang, "Anordnung %1 von %2 legt denselben Umriss, aber mit anderen Summen",
                        "Arrangement %1 of %2 lays the same outline, but with other sums")
                .arg(-b)
                .arg(a);
        return Text(lang, "Anordnung %1 von %2 hat dieselben Summen, aber einen anderen Umriss",
                    "Arrangement %1 of %2 has the same sums but another outline")
            .arg(b)
            .arg(a);
    }
    return {};
}

} // namespace

QString RuleLine(int language, const RuleResult& result, const QString& otherName) {
    switch (result.State) {
    case RuleState::Passed:
        return QString::fromUtf8("\u2714 ") + Holds(language, result.Id);
    case RuleState::Failed:
        return QString::fromUtf8("\u2718 ") + Fails(language, result, otherName);
    case RuleState::NotChecked:
        break;
    }
    return QString::fromUtf8("\u2013 ") + Holds(language, result.Id) +
           Text(language, ": nicht geprüft, solange eine andere Regel scheitert",
                ": not checked while another rule fails");
}

QString RulePending(int language, RuleId id) {
    return QString::fromUtf8("\u2013 ") + Holds(language, id) +
           Text(language, ": noch nicht geprüft", ": not checked yet");
}
