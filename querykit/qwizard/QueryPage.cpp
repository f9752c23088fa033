#include "querykit/qwizard/QueryPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qk {

using namespace wizardui;

namespace {

// The joining word of a condition shows in red.
const QColor kConjunctionColour(255, 0, 0);

}  // namespace

QueryPage::QueryPage(WizardFlow& flow, const DisplayTexts& texts, std::function<void()> changed,
                     QWidget* parent)
    : WizardPageView(flow, texts, parent), changed_(std::move(changed)) {
    auto* v = new QVBoxLayout(this);
    conditionList_ = new QTreeWidget(this);
    conditionList_->setObjectName("ConditionList");
    conditionList_->setRootIsDecorated(false);
    conditionList_->setColumnCount(2);
    conditionList_->setHeaderLabels({qs(texts.text(154)), QString()});
    conditionList_->header()->setStretchLastSection(false);
    conditionList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    v->addWidget(conditionList_);
    connect(conditionList_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int col) {
                this->flow().select(
                    static_cast<std::size_t>(conditionList_->indexOfTopLevelItem(item)));
                this->flow().setClickOnConjunction(col == 1);
            });
    connect(conditionList_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { onChange(); });
    auto* row = new QHBoxLayout;
    QPushButton* andButton = button(this, texts, "AndButton", 101);
    QPushButton* orButton = button(this, texts, "OrButton", 125);
    QPushButton* changeButton = button(this, texts, "ChangeButton", 110);
    QPushButton* deleteButton = button(this, texts, "DeleteButton", 113);
    for (QPushButton* b : {andButton, orButton, changeButton, deleteButton}) row->addWidget(b);
    row->addStretch(1);
    v->addLayout(row);
    v->addWidget(label(this, texts, "QueryInstruction1", 155, kNormal));
    v->addWidget(label(this, texts, "QueryInstruction2", 156, kNormal));
    connect(andButton, &QPushButton::clicked, this, [this] { onJoin("AND"); });
    connect(orButton, &QPushButton::clicked, this, [this] { onJoin("OR"); });
    connect(changeButton, &QPushButton::clicked, this, [this] { onChange(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { onDelete(); });
}

void QueryPage::refresh() {
    conditionList_->clear();
    for (const QueryElement& e : flow().elements().elements()) {
        auto* item = new QTreeWidgetItem(conditionList_, {qs(e.display), qs(e.conjunction)});
        item->setForeground(1, kConjunctionColour);
    }
    if (const auto sel = flow().selected()) {
        conditionList_->setCurrentItem(conditionList_->topLevelItem(static_cast<int>(*sel)));
    }
}

QWidget* QueryPage::focusTarget() const {
    return conditionList_;
}

void QueryPage::onJoin(const char* conjunction) {
    flow().join(conjunction);
    changed_();
}

void QueryPage::onChange() {
    flow().change();
    changed_();
}

void QueryPage::onDelete() {
    flow().remove();
    changed_();
}

}  // namespace qk
