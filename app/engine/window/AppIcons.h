#pragma once
// The program's icons, asked for by the names its windows give them ("CD1.ICO", "EXIT.ICO").
// They are drawn for the program as scalable pictures and shipped inside it.
#include <string_view>

#include <QIcon>
#include <QString>

namespace cdz {

class AppIcons {
public:
    // An empty icon for a name the program has no picture for.
    static QIcon icon(std::string_view name);
    // The resource path of a name's picture ("CD1.ICO" -> ":/icons/cd1.svg"), whether or not
    // it exists.
    static QString resourcePath(std::string_view name);
    static bool has(std::string_view name);
};

}  // namespace cdz
