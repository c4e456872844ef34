#include "platform/qt/help_viewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "common/sjis_utf8.h"
#include "platform/qt/images.h"
#include "platform/qt/text_codec.h"
#include "platform/qt_texts.h"
#include "platform/ui.h"

namespace quorvel::platform::qt {

namespace {

QPointer<HelpViewer>& viewer() {
    static auto* instance = new QPointer<HelpViewer>;
    return *instance;
}

QPointer<QMessageBox>& missingFileBox() {
    static auto* instance = new QPointer<QMessageBox>;
    return *instance;
}

QString html(const QString& text) {
    return text.toHtmlEscaped();
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString topicHtml(const HelpTopic& topic) {
    QString out = QStringLiteral("<h2>%1</h2>").arg(html(fromUtf8(topic.title)));
    bool inList = false;
    for (const HelpBlock& block : topic.blocks) {
        const bool bullet = block.kind == HelpBlockKind::Bullet;
        if (bullet != inList) {
            out += bullet ? QStringLiteral("<ul>") : QStringLiteral("</ul>");
            inList = bullet;
        }
        const QString item = html(fromUtf8(block.text));
        out += bullet ? QStringLiteral("<li>%1</li>").arg(item)
                      : QStringLiteral("<p>%1</p>").arg(item);
    }
    if (inList) {
        out += QStringLiteral("</ul>");
    }
    return out;
}

// The help file is Shift-JIS; one still in its UTF-8 source form is read as it is.
HelpDocument readHelpFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    const std::string_view raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return parseHelpDocument(isUtf8(raw) ? std::string(raw) : sjisToUtf8(raw));
}

void reportMissingFile(const QString& fileName) {
    // The viewer's own message: it does not hold up the program that asked for help.
    QPointer<QMessageBox>& box = missingFileBox();
    if (box == nullptr) {
        box = new QMessageBox(
            QMessageBox::NoIcon, fromCp932(text::qtHelpCaption),
            fromCp932(text::qtHelpMissingBefore) + fileName + fromCp932(text::qtHelpMissingAfter),
            QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->button(QMessageBox::Ok)->setText(fromCp932(text::qtButtonOk));
    }
    box->show();
    box->raise();
    box->activateWindow();
}

// A list row names its topic by index; a group heading holds -1.
constexpr int kTopicRole = Qt::UserRole;

int topicOfItem(const QListWidgetItem* item) {
    return item != nullptr ? item->data(kTopicRole).toInt() : -1;
}

// Centred over the program's main window, where the user is looking.
void centreOverMainWindow(QWidget& window) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(top) != nullptr && top->isVisible()) {
            QRect frame = window.frameGeometry();
            frame.moveCenter(top->frameGeometry().center());
            // Never past the screen's edge: a main window in a corner still shows all of it.
            if (const QScreen* screen = top->screen()) {
                const QRect room = screen->availableGeometry();
                frame.moveLeft(std::max(room.left(),
                                        std::min(frame.left(), room.right() - frame.width() + 1)));
                frame.moveTop(std::max(room.top(),
                                       std::min(frame.top(), room.bottom() - frame.height() + 1)));
            }
            window.move(frame.topLeft());
            return;
        }
    }
}

}  // namespace

HelpViewer::HelpViewer(HelpDocument document)
    : QWidget(nullptr, Qt::Window),
      document_(std::move(document)),
      search_(new QLineEdit),
      contents_(new QListWidget),
      page_(new QTextBrowser),
      closeButton_(new QPushButton(fromCp932(text::qtHelpClose))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromCp932(text::qtHelpWindowTitle));
    setWindowIcon(QIcon(moduleImage("MyApp")));
    // The gothic of the program's dialogs, in pixels so that screen DPI does not move it.
    QFont font(fromCp932(text::qtFontPGothic));
    font.setPixelSize(16);
    setFont(font);
    page_->document()->setDefaultFont(font);

    search_->setPlaceholderText(fromCp932(text::qtHelpSearch));
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName(fromCp932(text::qtHelpSearch));
    contents_->setAccessibleName(fromCp932(text::qtHelpContents));
    QString group;
    for (std::size_t i = 0; i < document_.topics.size(); ++i) {
        const HelpTopic& topic = document_.topics[i];
        if (!topic.group.empty() && fromUtf8(topic.group) != group) {
            group = fromUtf8(topic.group);
            auto* heading = new QListWidgetItem(group, contents_);
            QFont bold = font;
            bold.setBold(true);
            heading->setFont(bold);
            heading->setFlags(Qt::ItemIsEnabled);  // a heading, not a choice
            heading->setData(kTopicRole, -1);
        }
        auto* item = new QListWidgetItem(fromUtf8(topic.title), contents_);
        item->setData(kTopicRole, static_cast<int>(i));
    }
    page_->setOpenLinks(false);

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(search_);
    leftLayout->addWidget(contents_);
    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 520});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter);
    layout->addLayout(buttons);
    resize(780, 540);

    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) { showRow(row); });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& word) { filter(word); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpViewer::showContents() {
    search_->clear();
    filter({});
    contents_->setFocus();
}

void HelpViewer::showTopic(int topic) {
    showContents();
    for (int row = 0; topic >= 0 && row < contents_->count(); ++row) {
        if (topicOfItem(contents_->item(row)) == topic) {
            contents_->setCurrentRow(row);
            return;
        }
    }
}

QStringList HelpViewer::visibleTopics() const {
    QStringList titles;
    for (int row = 0; row < contents_->count(); ++row) {
        const QListWidgetItem* item = contents_->item(row);
        if (!item->isHidden() && topicOfItem(item) >= 0) {
            titles << item->text();
        }
    }
    return titles;
}

void HelpViewer::filter(const QString& word) {
    const QByteArray utf8 = word.trimmed().toUtf8();
    const std::string_view needle(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    QListWidgetItem* heading = nullptr;
    bool headingUsed = false;
    int first = -1;
    for (int row = 0; row < contents_->count(); ++row) {
        QListWidgetItem* item = contents_->item(row);
        const int topic = topicOfItem(item);
        if (topic < 0) {
            if (heading != nullptr) {
                heading->setHidden(!headingUsed);
            }
            heading = item;
            headingUsed = false;
            continue;
        }
        const bool shown = topicContains(document_.topics[static_cast<std::size_t>(topic)], needle);
        item->setHidden(!shown);
        headingUsed = headingUsed || shown;
        if (shown && first < 0) {
            first = row;
        }
    }
    if (heading != nullptr) {
        heading->setHidden(!headingUsed);
    }
    contents_->setCurrentRow(first);
    showRow(first);
    if (first < 0 && !needle.empty()) {
        page_->setPlainText(fromCp932(text::qtHelpNothingFound));
    }
}

void HelpViewer::showRow(int row) {
    const int index = topicOfItem(contents_->item(row));
    if (index < 0) {
        page_->clear();
        return;
    }
    page_->setHtml(topicHtml(document_.topics[static_cast<std::size_t>(index)]));
}

QString findHelpFile(const QString& fileName) {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList folders = {QDir::currentPath(), programDir,
                                 programDir + QStringLiteral("/../share/quorvel")};
    for (const QString& folder : folders) {
        // File names compare without regard to case, as on the system the file was made for.
        const QStringList found = QDir(folder).entryList({fileName}, QDir::Files);
        if (!found.isEmpty()) {
            return QFileInfo(QDir(folder), found.front()).absoluteFilePath();
        }
    }
    return {};
}

HelpViewer* helpViewer() {
    return viewer();
}

void closeHelp() {
    delete viewer();
    delete missingFileBox();
}

}  // namespace quorvel::platform::qt

namespace quorvel::platform {

void openHelp(WindowHandle /*owner*/, std::string_view topic) {
    if (QApplication::instance() == nullptr) {
        return;
    }
    // The viewer is a window of its own, not owned by the caller: it stays usable beside a modal
    // dialog that asked for it.
    QPointer<qt::HelpViewer>& instance = qt::viewer();
    if (instance == nullptr) {
        const QString name = qt::helpFileName();
        const QString path = qt::findHelpFile(name);
        if (path.isEmpty()) {
            qt::reportMissingFile(name);
            return;
        }
        instance = new qt::HelpViewer(qt::readHelpFile(path));
        qt::centreOverMainWindow(*instance);
    }
    instance->showTopic(findHelpTopic(instance->document(), sjisToUtf8(topic)));
    instance->show();
    instance->raise();
    instance->activateWindow();
}

// Beside openHelp, so that every program that asks for help links it too.
bool openDocument(std::string_view utf8Path) {
    const QString path =
        QString::fromUtf8(utf8Path.data(), static_cast<qsizetype>(utf8Path.size()));
    // A browser started elsewhere knows nothing of the working folder: the path goes whole.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

}  // namespace quorvel::platform
