// The desktop on Qt: the windows of the forms with their placement in twips,
// the screens, the program's own help window, the machine-wide settings and
// starting programs.
#pragma once

#include <functional>

#include <QPointer>
#include <QString>

#include "shell/desktop_port.h"

class QTextBrowser;
class QWidget;

namespace involvo::qtshell {

class QtDesktop : public DesktopPort {
public:
    // Finds the top-level window of a form; by default the top-level widget
    // whose object name is the form's name.
    using WindowFinder = std::function<QWidget*(FormId)>;
    explicit QtDesktop(WindowFinder finder = {}, QString systemSettingsFile = {});
    ~QtDesktop() override;

    std::optional<WindowPlacement> Placement(FormId form) override;
    void MoveWindow(FormId form, const TwipsRect& rect) override;
    void MaximizeWindow(FormId form) override;
    std::vector<TwipsRect> Screens() override;

    std::string ProgramFolder() override;
    std::string PathSeparator() override;
    bool FileExists(const std::string& path) override;
    std::string FindProgram(const std::string& name) override;
    bool Launch(const std::string& path) override;

    void SetHelpFile(const std::string& path) override { helpFile_ = path; }
    std::string ShowHelpContents(FormId owner, const std::string& path) override;

    std::optional<std::string> MachineSetting(const std::string& key, const std::string& valueName) override;

    // Twips a pixel at the primary screen's logical resolution (15 at 96 dpi).
    static double TwipsPerPixel();
    // The help window, once shown.
    QWidget* HelpWindow() const;
    QTextBrowser* HelpText() const;
    const std::string& HelpFile() const { return helpFile_; }

private:
    QWidget* WindowOf(FormId form) const;

    WindowFinder finder_;
    QString systemSettingsFile_;
    std::string helpFile_;
    QPointer<QWidget> helpWindow_;
};

// The top-level widget named after the form; when an unloaded window of the
// same name still waits to be destroyed, the live one is preferred.
QWidget* TopLevelNamed(FormId form);

}  // namespace involvo::qtshell
