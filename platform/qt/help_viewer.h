#pragma once
// The help viewer: the help file's topics listed on the left under their group headings, the
// chosen topic on the right, a search field above the list. One window serves every request; a
// new request raises it at its contents.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

#include "platform/help_document.h"

namespace quorvel::platform::qt {

class HelpViewer final : public QWidget {
  public:
    explicit HelpViewer(HelpDocument document);

    // Back to the contents list, search cleared, with the first topic shown.
    void showContents();
    // The contents list, search cleared, with that topic (an index of the document) chosen; the
    // contents as above for -1.
    void showTopic(int topic);
    const HelpDocument& document() const { return document_; }
    QListWidget* contents() const { return contents_; }
    QTextBrowser* page() const { return page_; }
    QLineEdit* search() const { return search_; }
    QPushButton* closeButton() const { return closeButton_; }
    // The titles of the topics the list shows now (group headings left out).
    QStringList visibleTopics() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showRow(int row);
    void filter(const QString& word);

    HelpDocument document_;
    QLineEdit* search_;
    QListWidget* contents_;
    QTextBrowser* page_;
    QPushButton* closeButton_;
};

// Where the help file is: the working folder, beside the program, then ../share/quorvel.
// An empty string when it is in none of them.
QString findHelpFile(const QString& fileName);

// The one viewer, or nullptr while none is open.
HelpViewer* helpViewer();
// Closes the viewer and any message it shows; the program calls this as it ends.
void closeHelp();

}  // namespace quorvel::platform::qt
