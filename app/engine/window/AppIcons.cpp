#include "app/engine/window/AppIcons.h"

#include <QFileInfo>

namespace cdz {

QString AppIcons::resourcePath(std::string_view name) {
    QString base = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower();
    if (base.endsWith(".ico")) base.chop(4);
    return ":/icons/" + base + ".svg";
}

bool AppIcons::has(std::string_view name) {
    return !name.empty() && QFileInfo::exists(resourcePath(name));
}

QIcon AppIcons::icon(std::string_view name) {
    return has(name) ? QIcon(resourcePath(name)) : QIcon();
}

}  // namespace cdz
