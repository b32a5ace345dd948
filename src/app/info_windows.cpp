#include "app/info_windows.h"

#include "app/info_texts.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

InfoWindows::InfoWindows(Session& session)
    : session_(session),
      defaults_("frmDefaults", "Default names and values etc."),
      wisdom_("frmWisdom", "Patience and wisdom lead to satisfying results"),
      credits_("frmCredits", "Thanks everyone"),
      help_("frmHelp", "Help") {
  Build(defaults_, kDefaultsText);
  Build(wisdom_, kWisdomText);
  Build(credits_, kCreditsText);
  Build(help_, "");
  help_.onClosed = [this] {
    help_.SetText("rtbText", "");
    session_.Main().form().SetEnabled(true);
  };
}

void InfoWindows::Build(Form& form, const std::string& text) {
  Control& pane = form.Add(ControlKind::TextPane, "rtbText");
  pane.readOnly = true;
  pane.text = text;
  form.Add(ControlKind::Button, "cmdOK", "OK").onClick = [this, &form] {
    session_.ui().CloseForm(form);
  };
  form.onClosed = [this] {
    Form& main = session_.Main().form();
    main.SetEnabled(true);
    session_.ui().BringToFront(main);
  };
}

void InfoWindows::Open(Form& form) {
  session_.Main().form().SetEnabled(false);
  session_.ui().ShowForm(form);
}

void InfoWindows::ShowDefaults() { Open(defaults_); }
void InfoWindows::ShowWisdom() { Open(wisdom_); }
void InfoWindows::ShowCredits() { Open(credits_); }

void InfoWindows::ShowHelp(const std::string& text) {
  help_.SetText("rtbText", text);
  Open(help_);
}

}  // namespace quorvane
