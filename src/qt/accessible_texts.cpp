#include "qt/accessible_texts.h"

#include <QLabel>

#include "resources/main_layout.h"

namespace qtfront {

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Pfad POI Daten:" names the field "Pfad POI Daten": the colon is the label's, not the name's.
QString NameFromLabel(const QLabel& label) {
    QString name = label.text();
    if (name.endsWith(u':')) name.chop(1);
    return name;
}

}  // namespace

void GiveAccessibleTexts(QWidget& window) {
    for (const auto& entry : layout::kAccessibleTexts) {
        auto* control = window.findChild<QWidget*>(FromView(entry.control));
        if (control == nullptr) continue;
        control->setAccessibleDescription(FromView(entry.description));
        if (entry.namingLabel.empty()) continue;
        if (auto* label = window.findChild<QLabel*>(FromView(entry.namingLabel))) {
            control->setAccessibleName(NameFromLabel(*label));
            label->setBuddy(control);
        }
    }
}

}  // namespace qtfront
