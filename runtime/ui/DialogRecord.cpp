#include "runtime/ui/DialogRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cdz {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

std::string_view dialogKindName(DialogKind kind) {
    switch (kind) {
        case DialogKind::Message:
            return "message";
        case DialogKind::OpenFile:
            return "openFile";
        case DialogKind::SaveFile:
            return "saveFile";
        case DialogKind::Font:
            return "font";
        case DialogKind::Colour:
            return "colour";
        case DialogKind::Popup:
            return "popup";
        case DialogKind::Halt:
            return "halt";
        case DialogKind::Folder:
            return "folder";
    }
    return "";
}

QJsonObject DialogRecord::toJsonObject() const {
    QJsonArray names;
    for (Button b : buttons.list()) names.append(qs(buttonName(b)));
    QJsonObject object{
        {"kind", qs(dialogKindName(kind))},
        {"title", qs(title)},
        {"text", qs(text)},
        {"icon", qs(iconName(icon))},
        {"buttons", names},
        {"default", qs(buttonName(defaultButton))},
        {"initial", qs(initial)},
        {"answer", qs(answer)},
    };
    return object;
}

namespace {

// Compact JSON escapes control characters, so the line holds no line break of its own.
std::string line(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace

std::string DialogRecord::toJson() const {
    return line(toJsonObject());
}

std::string DialogRecord::toShownJson() const {
    QJsonObject object = toJsonObject();
    object.remove("answer");
    object.insert("shown", true);
    return line(object);
}

}  // namespace cdz
