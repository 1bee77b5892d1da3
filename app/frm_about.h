#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

#include "about/about_window.h"
#include "platform/launcher.h"
#include "platform/message_box.h"
#include "platform/registry.h"

namespace yurana::ctl::about {

// The controls of frmAbout, named as at design.
inline constexpr char picIcon[] = "picIcon";        // the program's icon
inline constexpr char lblTitle[] = "lblTitle";      // the product title
inline constexpr char lblVersion[] = "lblVersion";  // the version of this build
inline constexpr char Label1[] = "Label1";          // the credit line
inline constexpr char Label2[] = "Label2";          // the link to the user guide
inline constexpr char cmdOK[] = "cmdOK";            // OK
inline constexpr char cmdSysInfo[] = "cmdSysInfo";  // ｼｽﾃﾑ情報(&S)
inline constexpr char Line10[] = "Line10";          // the separator's white line
inline constexpr char Line11[] = "Line11";          // and its grey one

}  // namespace yurana::ctl::about

namespace yurana::app {

// The user guide beside the executable: <program folder>/guide/index.html.
QString guidePath();

// Opens the user guide with the desktop's viewer; says so when nothing can open it.
void openGuide(Launcher& launcher, MessageBox& box);

// The program's icon, from the PNGs beside the executable (icons/yurana-N.png), else
// from the desktop's icon theme.
QIcon programIcon();

// The About window frmAbout ("ﾊﾞｰｼﾞｮﾝ情報"): a modeless top-level window with the
// program's icon, title, version, a credit line, a link to the user guide, OK and
// ｼｽﾃﾑ情報. Every way of closing it (OK, Enter, Esc, the title bar) emits closing, for
// OK's restore of the panel, so the run-control buttons are never left disabled;
// `finished` is emitted after it.
class FrmAbout : public QDialog {
    Q_OBJECT
  public:
    FrmAbout(MessageBox& box, Registry& registry, Launcher& launcher, QWidget* parent = nullptr);

    QWidget* control(const char* name) const;

    // Shows the window modeless and brings it to the front (also when already open).
    void showModeless();

    // The design client area, 6690 × 1635 twips.
    QSize sizeHint() const override;

    void cmdOK_Click();       // OK: restores the panel (through done) and closes
    void cmdSysInfo_Click();  // ｼｽﾃﾑ情報: StartSysInfo
    void Label2_Click();      // the link: opens the user guide

    // Every close ends here: closing, then the close itself.
    void done(int result) override;

  signals:
    void closing();

  private:
    void buildLabels();
    void buildButtons();
    void buildSeparator();

    MessageBox& box_;
    Launcher& launcher_;
    AboutWindow logic_;
};

}  // namespace yurana::app
