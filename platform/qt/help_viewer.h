#pragma once
// The help viewer: the help file's topics listed on the left, the chosen topic on the right.
// One window serves every request; a new request raises it at its contents.
#include <QListWidget>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

#include "platform/help_document.h"

namespace quorvel::platform::qt {

class HelpViewer final : public QWidget {
  public:
    explicit HelpViewer(HelpDocument document);

    // Back to the contents list, with the first topic shown.
    void showContents();
    QListWidget* contents() const { return contents_; }
    QTextBrowser* page() const { return page_; }

  private:
    void showTopic(int index);

    HelpDocument document_;
    QListWidget* contents_;
    QTextBrowser* page_;
};

// Where the help file is: the working folder, beside the program, then ../share/quorvel.
// An empty string when it is in none of them.
QString findHelpFile(const QString& fileName);

// The one viewer, or nullptr while none is open.
HelpViewer* helpViewer();
// Closes the viewer and any message it shows; the program calls this as it ends.
void closeHelp();

}  // namespace quorvel::platform::qt
