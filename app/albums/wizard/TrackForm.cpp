#include "app/albums/wizard/TrackForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdlib>
#include <utility>

#include "app/engine/state/AppState.h"
#include "app/engine/window/WindowPlacement.h"
#include "runtime/text/Picture.h"

namespace cdz {

namespace {

constexpr int kTextChars = 30;
constexpr int kHighestTrack = 99;
constexpr const char* kTimePicture = "@t4";
constexpr const char* kKeyName = "Track Order";

}  // namespace

TrackForm::TrackForm(AppState& state, const TrackList& list, bool withArtist, WizardTrack track,
                     QWidget* parent)
    : QDialog(parent),
      state_(state),
      list_(list),
      withArtist_(withArtist),
      track_(std::move(track)) {
    setObjectName(section());
    const bool adding = track_.recno == 0;
    if (adding) {
        const std::vector<WizardTrack> tracks = list_.read();
        track_.track = tracks.empty() ? 1 : tracks.back().track + 1;
    }
    setWindowTitle(adding ? "Track Will Be Added  (New)"
                          : QString("Track Will Be Changed  (%1)").arg(track_.track));
    auto* form = new QFormLayout;
    auto entry = [this, form](const char* name, const char* caption, const std::string& value) {
        auto* e = new QLineEdit(QString::fromStdString(value), this);
        e->setObjectName(name);
        e->setMaxLength(kTextChars);
        form->addRow(caption, e);
        return e;
    };
    if (withArtist_) artist_ = entry("ArtistEntry", "&Artist:", track_.artist);
    title_ = entry("TitleEntry", "&Title:", track_.title);
    time_ = entry("TimeEntry", "T&ime:", timeText(track_.time).toStdString());
    number_ = new QSpinBox(this);
    number_->setObjectName("TrackEntry");
    number_->setRange(0, kHighestTrack);
    number_->setValue(track_.track);
    number_->setEnabled(!adding);  // a new track takes the next number
    form->addRow("Track:", number_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    for (QWidget* w : {static_cast<QWidget*>(title_), static_cast<QWidget*>(time_),
                       static_cast<QWidget*>(number_)})
        w->installEventFilter(this);
    WindowPlacement::restore(*this, state_.settingsFile(), section());
}

const char* TrackForm::section() const {
    return withArtist_ ? "UpdateAddWizard" : "UpdateAddWizardNoArtist";
}

QString TrackForm::timeText(int32_t time) {
    if (time == 0) return {};
    return QString::fromStdString(formatPicture(kTimePicture, static_cast<double>(time)));
}

int32_t TrackForm::timeValue(const QString& text) {
    if (text.trimmed().isEmpty()) return 0;
    const std::string value = deformatPicture(kTimePicture, text.trimmed().toStdString());
    return static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
}

void TrackForm::done(int result) {
    if (result == QDialog::Accepted) {
        const Saved saved = save();
        if (saved == Saved::Stay) return;
        if (saved == Saved::Abandon) result = QDialog::Rejected;
    }
    WindowPlacement::save(*this, state_.settingsFile(), section());
    QDialog::done(result);
}

TrackForm::Saved TrackForm::save() {
    WizardTrack t = track_;
    if (artist_) t.artist = artist_->text().toStdString();
    t.title = title_->text().toStdString();
    t.time = timeValue(time_->text());
    t.track = number_->value();
    const bool adding = t.recno == 0;
    for (;;) {
        const int code = adding ? list_.add(t) : list_.change(t);
        if (code == 0) break;
        if (code == err::kDuplicateKey) {
            state_.warning()(Warning::DuplicateKey, kKeyName);
            return Saved::Stay;
        }
        if (adding) {
            state_.warning()(Warning::RecordInsertError);
            return Saved::Stay;
        }
        // Yes writes again, No leaves the form as cancelled, Cancel stays in it.
        const Button answer = state_.warning()(Warning::UpdateRetry);
        if (answer == Button::No) return Saved::Abandon;
        if (answer != Button::Yes) return Saved::Stay;
    }
    track_ = t;
    return Saved::Yes;
}

bool TrackForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->keyCombination() ==
            QKeyCombination(Qt::ControlModifier, Qt::Key_Apostrophe)) {
        ditto(static_cast<QWidget*>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TrackForm::ditto(QWidget* field) {
    const std::vector<WizardTrack> tracks = list_.read();
    const WizardTrack* before = nullptr;
    for (const WizardTrack& t : tracks) {
        if (t.recno != track_.recno && (track_.recno == 0 || t.track < track_.track)) before = &t;
    }
    if (!before) return;
    if (field == title_) {
        title_->setText(QString::fromStdString(before->title));
    } else if (field == time_) {
        time_->setText(timeText(before->time));
    } else if (field == number_ && number_->isEnabled()) {
        number_->setValue(before->track);
    }
}

}  // namespace cdz
