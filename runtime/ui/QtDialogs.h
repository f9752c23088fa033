#pragma once
// The dialog facade of the running program: Qt message boxes, file, font and colour dialogs
// and popup menus, each modal over the active window. Once the program is being ended from
// outside, the open ones close as Escape would and later ones are not shown.
#include "runtime/ui/Dialogs.h"

namespace cdz {

class QtDialogs final : public Dialogs {
public:
    Button message(std::string_view title, std::string_view text, MessageIcon icon, Buttons buttons,
                   Button defaultButton) override;
    std::optional<std::string> openFile(std::string_view title, std::string_view filterList,
                                        std::string_view startPath) override;
    std::optional<std::string> saveFile(std::string_view title, std::string_view filterList,
                                        std::string_view startPath) override;
    std::optional<std::string> chooseFolder(std::string_view title,
                                            std::string_view startPath) override;
    std::optional<FontChoice> font(std::string_view title, const FontChoice& initial) override;
    std::optional<Colour> colour(std::string_view title, Colour initial) override;
    int popup(std::string_view text) override;
    void halt(std::string_view text) override;
    void endAll() override;

private:
    std::optional<std::string> file(bool save, std::string_view title, std::string_view filterList,
                                    std::string_view startPath);

    bool ending_ = false;
};

}  // namespace cdz
