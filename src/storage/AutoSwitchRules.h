#pragma once
// The rules that switch the mouse's onboard profile when an application's
// window gains focus: an application (a window class, or the full path of its
// executable) → profile slot 1-5, and what to do for every other window
// (a slot, or leave the mouse as it is). Kept in "AutoSwitch.ini" in the
// configuration folder, a small file of their own:
//
//   [AutoSwitch]
//   Enabled=1
//   Otherwise=keep          ; or 1 to 5
//   [Rules]
//   steam_app_730=2         ; a window class (either part of WM_CLASS, any case)
//   /usr/games/xonotic=3    ; an executable's path (exact)
//
// The window and mousecfg-cli read and edit it through this class alone.

#include <QList>
#include <QString>
#include <QStringList>

class AutoSwitchRules
{
public:
    static constexpr int kKeep = 0;             // Otherwise: leave the mouse as it is
    static constexpr int kMaxRules = 256;       // more is not a list anyone keeps by hand
    static constexpr int kMaxNameLength = 4096; // PATH_MAX

    struct Rule
    {
        QString application; // a window class, or an executable's path (starts with '/')
        int slot = 1;        // 1 to 5
    };

    // Configuration folder + "/AutoSwitch.ini".
    static QString defaultFile();

    // Reads FILE. A missing file is no rules, off. A file that cannot be read
    // at all (not a regular file, too large, no permission) leaves the rules
    // empty and returns false with the reason in *problems. Lines that cannot
    // be taken (control characters, bytes that are not text, unknown slots,
    // too many rules) are left out, each named in *problems; the rest load.
    bool load(const QString &file, QStringList *problems = nullptr);
    // Writes the rules to FILE whole (or not at all). When the file loaded
    // with problems, it is first kept beside as FILE.bak, so nothing the user
    // wrote by hand is lost; *notice then says so.
    bool save(const QString &file, QString *errorText = nullptr, QString *notice = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    // kKeep, or a slot 1 to 5.
    int otherwise() const { return m_otherwise; }
    bool setOtherwise(int slot);
    const QList<Rule> &rules() const { return m_rules; }

    // Adds APPLICATION → SLOT, or changes the slot of the rule it already has.
    // False with the reason for a name that cannot be a rule or a slot out of 1-5.
    bool setRule(const QString &application, int slot, QString *errorText = nullptr);
    // False when no rule names APPLICATION.
    bool removeRule(const QString &application);
    void clearRules() { m_rules.clear(); }

    // The slot for a window whose WM_CLASS parts are CLASSES and whose program
    // is EXEPATH (either may be empty): a path rule first, then the first class
    // rule, then the "otherwise" slot (kKeep: leave the mouse).
    int slotFor(const QStringList &classes, const QString &exePath) const;

    // True when NAME may be a rule: not empty, no control characters, not
    // longer than kMaxNameLength, no leading '[', ';' or '#' (the
    // file's own syntax), no leading or trailing blanks; a path is absolute.
    static bool checkApplication(const QString &name, QString *errorText = nullptr);
    static bool isPath(const QString &application) { return application.startsWith(QLatin1Char('/')); }
    // The one comparison of names: paths exactly, classes in any case.
    static bool sameApplication(const QString &a, const QString &b);
    // "keep", or the slot's number.
    static QString otherwiseText(int otherwise);

private:
    bool m_enabled = false;
    int m_otherwise = kKeep;
    QList<Rule> m_rules;
    bool m_loadedWithProblems = false;
};
