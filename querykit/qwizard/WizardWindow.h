#pragma once
// The query wizard's window: five pages over a WizardFlow (field, operation, value, condition
// list, manual entry) with Back, Next, Finish, Cancel and Manual. Captions, tips, status texts
// and fonts come from the display texts. Every control has a stable objectName so tests and
// scripted runs can drive it.
#include <QDialog>
#include <functional>
#include <string>

#include "querykit/qwizard/WizardFlow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace qk {

class QUERYKIT_API WizardWindow : public QDialog {
public:
    // Finish hands the text (and whether it was typed by hand) to this; true closes the window
    // as completed, false keeps it open.
    using FinishHandler = std::function<bool(const std::string& text, bool manual)>;

    WizardWindow(WizardFlow& flow, const DisplayTexts& texts, const cdz::Bindings* bindings,
                 QWidget* parent = nullptr);

    void setFinishHandler(FinishHandler handler) { finish_ = std::move(handler); }
    // Called once, just after the window first shows.
    void setOpenedHandler(std::function<void()> handler) { opened_ = std::move(handler); }
    // Shows the flow's state again (after the flow was changed from outside).
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildFieldPage();
    QWidget* buildOperationPage();
    QWidget* buildValuePage();
    QWidget* buildQueryPage();
    QWidget* buildManualPage();
    QPushButton* button(const char* name, int firstSlot);
    QLabel* label(const char* name, int slot, int designedSize);
    void applyFonts();

    // Takes what the user entered on the current page into the flow.
    void takePage();
    void refreshValuePage();
    void refreshConditions();

    void onNext();
    void onBack();
    void onCancel();
    void onFinish();
    void onManual();
    void onJoin(const char* conjunction);
    void onChange();
    void onDelete();
    void onValueKind(ValueKind kind);
    void onLookup();
    void onManualField();

    WizardFlow& flow_;
    const DisplayTexts& texts_;
    const cdz::Bindings* bindings_;
    FinishHandler finish_;
    std::function<void()> opened_;
    bool shownOnce_ = false;
    bool refreshing_ = false;
    WizardPage shownPage_ = WizardPage::Field;

    QStackedWidget* pages_ = nullptr;
    QListWidget* fieldList_ = nullptr;
    QListWidget* operatorList_ = nullptr;
    QLabel* valueCaption_ = nullptr;
    QRadioButton* constantKind_ = nullptr;
    QRadioButton* otherFieldKind_ = nullptr;
    QRadioButton* expressionKind_ = nullptr;
    QLineEdit* valueEntry_ = nullptr;
    QPushButton* lookupButton_ = nullptr;
    QLabel* choiceHeader_ = nullptr;
    QListWidget* choiceList_ = nullptr;
    QCheckBox* valueCheck_ = nullptr;
    QLabel* compareHeader_ = nullptr;
    QListWidget* compareList_ = nullptr;
    QCheckBox* optionBox_ = nullptr;
    QLabel* optionBeside_ = nullptr;
    QTreeWidget* conditionList_ = nullptr;
    QPlainTextEdit* manualText_ = nullptr;
    QListWidget* manualFields_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* finishButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* manualButton_ = nullptr;
};

}  // namespace qk
