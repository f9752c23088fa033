// The wizard's window over its flow: what each page shows and how the lists answer clicks.
#include "querykit/qwizard/WizardWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "tests/querykit/SongFields.h"

namespace qk::test {
namespace {

template <class T = QPushButton>
T* find(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

TEST(WizardWindowTest, ControlsFollowThePages) {
    XRQW_FieldsQueue fields = songFields();
    DisplayTexts texts;
    for (auto [n, t] :
         std::initializer_list<std::pair<int, const char*>>{{8, "Contains"},
                                                            {122, "Go Forward"},
                                                            {123, "Goto Next Page"},
                                                            {124, "&Next >"},
                                                            {162, "Case Sensitive|beside"},
                                                            {71, "MS Sans Serif"},
                                                            {72, "11"}}) {
        texts.set(n, t);
    }
    SongRecord song;
    song.Year = 1999;
    cdz::Bindings bindings;
    bindSong(bindings, song);
    WizardFlow flow(fields, texts, false);
    flow.startNew();
    WizardWindow w(flow, texts, &bindings);
    w.show();
    auto* pages = find<QStackedWidget>(w, "Pages");
    auto* next = find(w, "NextButton");
    EXPECT_FALSE(find(w, "BackButton")->isEnabled());
    EXPECT_TRUE(next->isDefault());
    EXPECT_FALSE(find(w, "FinishButton")->isVisible());
    EXPECT_EQ(next->text(), "&Next >");
    EXPECT_EQ(next->toolTip(), "Go Forward");
    EXPECT_EQ(next->statusTip(), "Goto Next Page");
    EXPECT_EQ(next->font().family(), "MS Sans Serif");
    EXPECT_EQ(next->font().pointSize(), 11);

    // A double-click in a list acts as Next.
    auto* fieldList = find<QListWidget>(w, "FieldList");
    fieldList->setCurrentRow(kArtist - 1);
    emit fieldList->itemDoubleClicked(fieldList->currentItem());
    EXPECT_EQ(pages->currentIndex(), 1);
    auto* operators = find<QListWidget>(w, "OperatorList");
    EXPECT_EQ(operators->count(), 10);
    operators->setCurrentRow(op::kContains - 1);
    next->click();

    auto* entry = find<QLineEdit>(w, "ValueEntry");
    EXPECT_EQ(w.focusWidget(), entry);  // typing goes straight into the value
    EXPECT_EQ(entry->maxLength(), 40);
    EXPECT_TRUE(find(w, "LookupButton")->isVisible());
    EXPECT_EQ(find<QWidget>(w, "OptionBox")->property("text").toString(), "Case Sensitive");
    EXPECT_EQ(find<QLabel>(w, "OptionBeside")->text(), "beside");
    find(w, "LookupButton")->click();
    EXPECT_EQ(entry->text(), "Lookup 1999");
    find<QRadioButton>(w, "OtherFieldKind")->click();
    EXPECT_FALSE(entry->isVisible());
    EXPECT_TRUE(find<QListWidget>(w, "CompareList")->isVisible());
    find<QRadioButton>(w, "ConstantKind")->click();
    EXPECT_EQ(entry->text(), "");  // switching kinds clears the value
    entry->setText("beat");
    next->click();

    EXPECT_TRUE(find(w, "FinishButton")->isDefault());
    EXPECT_FALSE(next->isVisible());
    find(w, "AndButton")->click();
    fieldList->setCurrentRow(kRating - 1);
    next->click();
    next->click();
    auto* choices = find<QListWidget>(w, "ChoiceList");
    ASSERT_EQ(choices->count(), 5);
    emit choices->itemDoubleClicked(choices->item(3));
    EXPECT_EQ(pages->currentIndex(), 3);

    auto* conditions = find<QTreeWidget>(w, "ConditionList");
    ASSERT_EQ(conditions->topLevelItemCount(), 2);
    EXPECT_EQ(conditions->topLevelItem(0)->text(0), "Artist Contains beat");
    EXPECT_EQ(conditions->topLevelItem(1)->text(0), "Rating  4");
    // A click on the joining word, then Change, switches it.
    emit conditions->itemClicked(conditions->topLevelItem(0), 1);
    find(w, "ChangeButton")->click();
    EXPECT_EQ(conditions->topLevelItem(0)->text(1), "OR");
    emit conditions->itemClicked(conditions->topLevelItem(1), 0);
    emit conditions->itemDoubleClicked(conditions->topLevelItem(1), 0);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(fieldList->currentRow(), kRating - 1);
}

}  // namespace
}  // namespace qk::test
