#include "platform/qt/help_viewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSplitter>

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

}  // namespace

HelpViewer::HelpViewer(HelpDocument document)
    : QWidget(nullptr, Qt::Window),
      document_(std::move(document)),
      contents_(new QListWidget),
      page_(new QTextBrowser) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromCp932(text::qtHelpWindowTitle));
    setWindowIcon(QIcon(moduleImage("MyApp")));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(16);
    setFont(font);

    contents_->setAccessibleName(fromCp932(text::qtHelpContents));
    for (const HelpTopic& topic : document_.topics) {
        contents_->addItem(fromUtf8(topic.title));
    }
    page_->setOpenLinks(false);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 500});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(760, 520);

    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) { showTopic(row); });
}

void HelpViewer::showContents() {
    if (contents_->count() > 0) {
        contents_->setCurrentRow(0);
    }
    showTopic(contents_->currentRow());
    contents_->setFocus();
}

void HelpViewer::showTopic(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= document_.topics.size()) {
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

void openHelp(WindowHandle /*owner*/) {
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
    }
    instance->showContents();
    instance->show();
    instance->raise();
    instance->activateWindow();
}

}  // namespace quorvel::platform
