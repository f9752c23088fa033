#pragma once
// The query wizard's window: five pages over a WizardFlow (field, operation, value, condition
// list, manual entry) with Back, Next, Finish, Cancel and Manual. Each page is its own widget
// (see ListPages, ValuePage, QueryPage, ManualPage); the window holds their stack and the buttons
// that move between them. Captions, tips, status texts and fonts come from the display texts.
// Every control has a stable objectName so tests and scripted runs can drive it.
#include <QDialog>
#include <functional>
#include <string>

#include "querykit/qwizard/WizardFlow.h"

class QPushButton;
class QStackedWidget;

namespace qk {

class FieldPage;
class ManualPage;
class OperationPage;
class QueryPage;
class ValuePage;
class WizardPageView;

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
    WizardPageView* view(WizardPage page) const;

    // Takes what the user entered on the current page into the flow.
    void takePage();

    void onNext();
    void onBack();
    void onCancel();
    void onFinish();
    void onManual();

    WizardFlow& flow_;
    FinishHandler finish_;
    std::function<void()> opened_;
    bool shownOnce_ = false;
    WizardPage shownPage_ = WizardPage::Field;

    QStackedWidget* pages_ = nullptr;
    FieldPage* fieldPage_ = nullptr;
    OperationPage* operationPage_ = nullptr;
    ValuePage* valuePage_ = nullptr;
    QueryPage* queryPage_ = nullptr;
    ManualPage* manualPage_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* finishButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* manualButton_ = nullptr;
};

}  // namespace qk
