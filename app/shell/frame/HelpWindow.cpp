#include "app/shell/frame/HelpWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/engine/window/AppIcons.h"

namespace cdz {

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text, const QIcon& icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setIcon(icon);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent, const QString& folder)
    : QWidget(parent, Qt::Window), library_(folder) {
    setObjectName("HelpWindow");
    setWindowTitle("Orvanta 98 Help");
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    resize(820, 560);

    auto* contents = toolButton(this, "helpContentsButton", "&Contents",
                                style()->standardIcon(QStyle::SP_FileDialogContentsView));
    back_ =
        toolButton(this, "helpBackButton", "&Back", style()->standardIcon(QStyle::SP_ArrowBack));
    forward_ = toolButton(this, "helpForwardButton", "&Forward",
                          style()->standardIcon(QStyle::SP_ArrowForward));
    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();

    auto* side = new QWidget(this);
    auto* findLabel = new QLabel("&Find pages with the words:", side);
    search_ = new QLineEdit(side);
    search_->setObjectName("helpSearchBox");
    search_->setClearButtonEnabled(true);
    search_->setPlaceholderText("Type a word, e.g. playlist");
    findLabel->setBuddy(search_);
    topics_ = new QListWidget(side);
    topics_->setObjectName("helpTopicList");
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(findLabel);
    sideLayout->addWidget(search_);
    sideLayout->addWidget(topics_);

    text_ = new QTextBrowser(this);
    text_->setObjectName("helpText");
    text_->setSearchPaths({library_.folder()});
    text_->setOpenExternalLinks(true);

    auto* split = new QSplitter(this);
    split->addWidget(side);
    split->addWidget(text_);
    split->setStretchFactor(1, 3);
    split->setSizes({230, 590});

    auto* close = new QPushButton("Close", this);
    close->setObjectName("helpCloseButton");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(split);
    layout->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(contents, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(back_, &QToolButton::clicked, text_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, text_, &QTextBrowser::forward);
    connect(text_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(text_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(search_, &QLineEdit::textChanged, this, &HelpWindow::findWords);
    connect(topics_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!item) return;
        showPage(item->data(Qt::UserRole).toString());
        markFirstWord();
    });
    back_->setEnabled(false);
    forward_->setEnabled(false);
    listContents();
}

void HelpWindow::listContents() {
    topics_->blockSignals(true);
    topics_->clear();
    for (const HelpPage& p : library_.pages()) {
        auto* item = new QListWidgetItem(p.title, topics_);
        item->setData(Qt::UserRole, p.file);
    }
    topics_->blockSignals(false);
}

void HelpWindow::findWords(const QString& words) {
    if (words.trimmed().isEmpty()) {
        listContents();
        return;
    }
    topics_->blockSignals(true);
    topics_->clear();
    const auto found = library_.search(words);
    for (const HelpPage* p : found) {
        auto* item = new QListWidgetItem(p->title, topics_);
        item->setData(Qt::UserRole, p->file);
    }
    if (found.empty()) {
        auto* none = new QListWidgetItem("No page holds these words.", topics_);
        none->setFlags(Qt::NoItemFlags);
    }
    topics_->blockSignals(false);
}

void HelpWindow::markFirstWord() {
    const QStringList words = search_->text().split(' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) return;
    // From the top, so the reader sees the first place the words are found.
    text_->moveCursor(QTextCursor::Start);
    text_->find(words.front());
}

void HelpWindow::showPage(const QString& file) {
    if (currentPage() != file) text_->setSource(QUrl(file));
    bringUp();
}

QString HelpWindow::currentPage() const {
    return text_->source().fileName();
}

void HelpWindow::bringUp() {
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // As in a dialog, Escape leaves the window from wherever the reader is in it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showContents() {
    search_->clear();
    showPage(HelpLibrary::kContents);
}

void HelpWindow::showHowTo() {
    showPage(HelpLibrary::kHowToUseHelp);
}

void HelpWindow::showSearch() {
    bringUp();
    if (text_->source().isEmpty()) text_->setSource(QUrl(HelpLibrary::kContents));
    search_->setFocus();
    search_->selectAll();
}

}  // namespace cdz
