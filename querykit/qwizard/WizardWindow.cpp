#include "querykit/qwizard/WizardWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "querykit/qwizard/ListPages.h"
#include "querykit/qwizard/ManualPage.h"
#include "querykit/qwizard/QueryPage.h"
#include "querykit/qwizard/ValuePage.h"

namespace qk {

using namespace wizardui;

WizardWindow::WizardWindow(WizardFlow& flow, const DisplayTexts& texts,
                           const cdz::Bindings* bindings, QWidget* parent)
    : QDialog(parent), flow_(flow) {
    setObjectName("QueryWizard");
    auto* layout = new QVBoxLayout(this);
    const std::string banner = texts.text(170);
    if (!banner.empty() && banner != "1" && banner != "2") {
        layout->addWidget(label(this, texts, "Banner", 170, kLarge));
    }
    layout->addWidget(label(this, texts, "Heading", 171, kLarge));
    pages_ = new QStackedWidget(this);
    pages_->setObjectName("Pages");
    const auto next = [this] { onNext(); };
    const auto changed = [this] { refresh(); };
    fieldPage_ = new FieldPage(flow, texts, next, this);
    operationPage_ = new OperationPage(flow, texts, next, this);
    valuePage_ = new ValuePage(flow, texts, bindings, {next, changed}, this);
    queryPage_ = new QueryPage(flow, texts, changed, this);
    manualPage_ = new ManualPage(flow, texts, this);
    for (WizardPage page : {WizardPage::Field, WizardPage::Operation, WizardPage::Value,
                            WizardPage::Query, WizardPage::Manual}) {
        pages_->addWidget(view(page));
    }
    layout->addWidget(pages_, 1);

    auto* buttons = new QHBoxLayout;
    backButton_ = button(this, texts, "BackButton", 104);
    nextButton_ = button(this, texts, "NextButton", 122);
    finishButton_ = button(this, texts, "FinishButton", 116);
    cancelButton_ = button(this, texts, "CancelButton", 107);
    manualButton_ = button(this, texts, "ManualButton", 119);
    buttons->addWidget(manualButton_);
    buttons->addStretch(1);
    for (QPushButton* b : {backButton_, nextButton_, finishButton_, cancelButton_}) {
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(nextButton_, &QPushButton::clicked, this, [this] { onNext(); });
    connect(backButton_, &QPushButton::clicked, this, [this] { onBack(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { onCancel(); });
    connect(finishButton_, &QPushButton::clicked, this, [this] { onFinish(); });
    connect(manualButton_, &QPushButton::clicked, this, [this] { onManual(); });

    applyFonts(*this, texts);
    refresh();
}

WizardPageView* WizardWindow::view(WizardPage page) const {
    switch (page) {
        case WizardPage::Field:
            return fieldPage_;
        case WizardPage::Operation:
            return operationPage_;
        case WizardPage::Value:
            return valuePage_;
        case WizardPage::Query:
            return queryPage_;
        case WizardPage::Manual:
            return manualPage_;
    }
    return fieldPage_;
}

void WizardWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (opened_) QTimer::singleShot(0, this, [this] { opened_(); });
}

void WizardWindow::takePage() {
    view(flow_.page())->take();
}

void WizardWindow::refresh() {
    const WizardPage page = flow_.page();
    pages_->setCurrentIndex(static_cast<int>(page) - 1);
    backButton_->setVisible(flow_.backVisible());
    backButton_->setEnabled(flow_.backEnabled());
    nextButton_->setVisible(flow_.nextVisible());
    finishButton_->setVisible(flow_.finishVisible());
    manualButton_->setVisible(flow_.manualVisible());
    nextButton_->setDefault(flow_.nextVisible());
    finishButton_->setDefault(flow_.finishVisible());

    const bool entering = page != shownPage_;
    fieldPage_->refresh();
    operationPage_->refresh();
    if (page == WizardPage::Value) valuePage_->refresh();
    queryPage_->refresh();
    // The manual text is shown only as its page comes up, so what is being typed stays.
    if (page == WizardPage::Manual && entering) manualPage_->refresh();
    // A new page takes the keyboard where the user works on it: typing goes straight in.
    if (entering) {
        if (QWidget* focus = view(page)->focusTarget()) focus->setFocus();
    }
    shownPage_ = page;
}

void WizardWindow::onNext() {
    takePage();
    flow_.next();
    refresh();
}

void WizardWindow::onBack() {
    takePage();
    flow_.back();
    refresh();
}

void WizardWindow::onCancel() {
    takePage();
    if (flow_.cancel()) {
        reject();
        return;
    }
    refresh();
}

void WizardWindow::onFinish() {
    takePage();
    if (!finish_ || finish_(flow_.finishText(), flow_.finishIsManual())) {
        accept();
        return;
    }
    refresh();
}

void WizardWindow::onManual() {
    takePage();
    flow_.manual();
    refresh();
}

}  // namespace qk
