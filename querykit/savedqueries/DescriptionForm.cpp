#include "querykit/savedqueries/DescriptionForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qk {

using cdz::Button;
namespace err = cdz::err;

namespace {

constexpr std::string_view kTable = "XRQW_Queries";

bool sameRecord(const QueryRec& a, const QueryRec& b) {
    return a.QueryNo == b.QueryNo && a.ClassName == b.ClassName && a.Description == b.Description &&
           a.Manual == b.Manual && a.Invalid == b.Invalid && a.QueryString == b.QueryString;
}

}  // namespace

DescriptionForm::DescriptionForm(QueryStore& store, QueryRequest request, QWidget* parent)
    : StatusDialog(parent), store_(store), request_(request) {
    const DisplayTexts& texts = store.texts();
    setObjectName("SavedQueryDescription");
    setWindowTitle(slotText(texts, adding() ? 235 : 233));
    auto* prompt = new QLabel(slotText(texts, adding() ? 232 : 231), this);
    prompt->setObjectName("DescriptionPrompt");
    prompt->setWordWrap(true);
    body()->addWidget(prompt);

    auto* entry = new QHBoxLayout;
    auto* label = new QLabel(slotText(texts, 236), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName("DescriptionEdit");
    const int chars = QueryRec{}.Description.width();
    edit_->setMaxLength(chars);
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * chars * 2 / 3);
    label->setBuddy(edit_);
    entry->addWidget(label);
    entry->addWidget(edit_, 1);
    body()->addLayout(entry);

    auto* ok = slotButton(texts, 240, "OkButton", this);
    auto* cancel = slotButton(texts, 237, "CancelButton", this);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    body()->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &DescriptionForm::accept);
    connect(cancel, &QPushButton::clicked, this, &DescriptionForm::reject);
}

bool DescriptionForm::run() {
    TableUse queries(store_, StoreTableId::Queries);
    if (!queries) return false;
    given_ = store_.query();
    if (adding()) {
        if (store_.addQuery() != 0) {
            store_.query() = given_;
            return false;
        }
    } else if (!watchStored()) {
        store_.query() = given_;
        return false;
    }
    edit_->setText(QString::fromStdString(std::string(store_.query().Description.clipped())));
    edit_->selectAll();
    const bool written = exec() == QDialog::Accepted;
    if (written) return true;
    const int32_t added = store_.query().QueryNo;
    if (adding() && store_.deleteQuery(added) != 0) {
        store_.messages().warning(cdz::Warning::DeleteError, store_.database().error(), kTable);
    }
    store_.query() = given_;
    return false;
}

bool DescriptionForm::watchStored() {
    const QueryRec wanted = store_.query();
    store_.file(StoreTableId::Queries).watch();
    if (!store_.readQuery(wanted.QueryNo)) {
        // Deleted by another station: there is nothing left to change.
        store_.messages().warning(cdz::Warning::RecordRetrievalError, store_.database().error(),
                                  kTable);
        return false;
    }
    stored_ = store_.query();
    store_.query() = wanted;
    return true;
}

void DescriptionForm::accept() {
    const std::string description = edit_->text().toStdString();
    store_.query().Description = description;
    if (store_.query().Description.empty()) {
        store_.messages().show("Description Required",
                               "A saved query is found by its description.|Please enter one.");
        edit_->setFocus();
        return;
    }
    switch (write()) {
        case Written::Yes:
            QDialog::accept();
            break;
        case Written::GiveUp:
            QDialog::reject();
            break;
        case Written::Stay:
            edit_->setFocus();
            break;
    }
}

DescriptionForm::Written DescriptionForm::write() {
    if (!adding()) return writeChange();
    // The added record is still the table's current one: rewrite it.
    if (store_.file(StoreTableId::Queries).put() == 0) return Written::Yes;
    if (store_.database().error().code == err::kDuplicateKey) {
        store_.messages().warning(cdz::Warning::DuplicateKey, store_.database().error(),
                                  "By Query Number");
    } else {
        store_.messages().warning(cdz::Warning::RecordInsertError, store_.database().error());
    }
    return Written::Stay;
}

DescriptionForm::Written DescriptionForm::writeChange() {
    if (sameRecord(store_.query(), stored_)) return Written::Yes;
    for (;;) {
        const int code = store_.changeQuery();
        if (code == 0) return Written::Yes;
        if (code == err::kRecordChanged) {
            store_.messages().warning(cdz::Warning::UpdateError, store_.database().error(),
                                      "Record Changed by Another Station");
            // What the other station wrote is now the version a further OK replaces.
            return watchStored() ? Written::Stay : Written::GiveUp;
        }
        switch (store_.messages().warning(cdz::Warning::UpdateRetry, store_.database().error())) {
            case Button::Yes:
                continue;
            case Button::No:
                return Written::GiveUp;
            default:
                return Written::Stay;
        }
    }
}

void DescriptionForm::reject() {
    cdz::Text<60> typed(edit_->text().toStdString());
    if (typed == given_.Description) {
        QDialog::reject();
        return;
    }
    switch (store_.messages().warning(cdz::Warning::SaveChanges, cdz::ErrorState{})) {
        case Button::Yes:
            accept();
            break;
        case Button::No:
            QDialog::reject();
            break;
        default:
            break;  // stay in the form
    }
}

}  // namespace qk
