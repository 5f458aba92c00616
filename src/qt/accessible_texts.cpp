#include "qt/accessible_texts.h"

#include <QLabel>

#include "resources/main_layout.h"

namespace qtfront {

namespace {

// "Pfad POI Daten:" names the field "Pfad POI Daten": the colon is the label's, not the name's.
QString NameFromLabel(const QLabel& label) {
    QString name = label.text();
    if (name.endsWith(u':')) name.chop(1);
    return name;
}

}  // namespace

void GiveAccessibleTexts(QWidget& window) {
    for (const auto& entry : layout::kAccessibleTexts) {
        auto* control = window.findChild<QWidget*>(QString::fromUtf8(entry.control));
        if (control == nullptr) continue;
        control->setAccessibleDescription(QString::fromUtf8(entry.description));
        if (entry.namingLabel.empty()) continue;
        if (auto* label = window.findChild<QLabel*>(QString::fromUtf8(entry.namingLabel))) {
            control->setAccessibleName(NameFromLabel(*label));
            label->setBuddy(control);
        }
    }
}

}  // namespace qtfront
