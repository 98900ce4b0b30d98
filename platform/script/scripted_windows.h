#pragma once

#include "platform/script/record.h"
#include "platform/ui.h"

#include <string_view>

namespace lexi::script {

// The tray window without a window: what it shows goes to the transcript as
// "tray" records, and script commands act as the user on it. While it
// exists, `slot` points to it.
class ScriptedTrayWindow final : public TrayWindowView {
public:
    ScriptedTrayWindow(const TrayWindowContent& content, TrayWindowEvents& events,
                       Transcript transcript, ScriptedTrayWindow*& slot);
    ~ScriptedTrayWindow() override;

    bool hasNotificationIcon() const override { return true; }
    void show() override;
    void hide() override;
    void restore() override;
    void bringToFront() override;
    void repaint() override {}
    void popUpMenu() override;

    // Does what a script command ("icon 517", "menu &Om", "click", "key 27",
    // "minimise") says. Commands it does not know are passed over.
    void perform(std::string_view command);

private:
    void event(const char* name);

    TrayWindowContent content_;
    TrayWindowEvents& events_;
    Transcript transcript_;
    ScriptedTrayWindow*& slot_;
};

// The settings window without a window: "settings" records, and script
// commands ("fldLokaldrev <text>", "CheckMailHistorik 1", "OK", "close").
class ScriptedSettingsWindow final : public SettingsWindowView {
public:
    ScriptedSettingsWindow(const SettingsWindowContent& content, SettingsWindowEvents& events,
                           Transcript transcript, ScriptedSettingsWindow*& slot);
    ~ScriptedSettingsWindow() override;

    void show() override;

    void perform(std::string_view command);
    // What the close box does.
    void close();

private:
    SettingsWindowContent content_;
    SettingsWindowEvents& events_;
    Transcript transcript_;
    ScriptedSettingsWindow*& slot_;
};

// The PDF progress window without a window: "makingpdf" records, and the
// script commands "Annuller" and "close" (the close box).
class ScriptedMakingPdfWindow final : public MakingPdfWindowView {
public:
    ScriptedMakingPdfWindow(const MakingPdfWindowContent& content, MakingPdfWindowEvents& events,
                            Transcript transcript, ScriptedMakingPdfWindow*& slot);
    ~ScriptedMakingPdfWindow() override;

    // Waiting code brings it forward on every look: that is not recorded.
    void bringToFront() override {}

    void perform(std::string_view command);

private:
    MakingPdfWindowEvents& events_;
    Transcript transcript_;
    ScriptedMakingPdfWindow*& slot_;
};

} // namespace lexi::script
