#include "console/form_printer.h"

namespace quorvane::console {

std::string ToTerminalText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') continue;
      out += '\n';
      continue;
    }
    out += text[i];
  }
  return out;
}

namespace {

void PrintMenu(std::ostream& out, const MenuItem& menu, int depth) {
  if (!menu.visible) return;
  out << std::string(static_cast<size_t>(2 * depth), ' ');
  if (menu.separator) {
    out << "----\n";
    return;
  }
  out << "menu " << StripAccessKey(menu.caption);
  if (!menu.shortcut.empty()) out << " (" << menu.shortcut << ")";
  out << (menu.enabled ? "" : " [disabled]") << "\n";
  for (const auto& item : menu.items) PrintMenu(out, item, depth + 1);
}

void PrintGrid(std::ostream& out, const Control& c) {
  const GridModel& g = c.grid;
  out << " " << g.Rows() << " x " << g.Cols() << ", current cell " << g.CurrentRow << " "
      << g.CurrentCol << "\n";
  for (int r = 0; r < g.Rows(); ++r) {
    out << "    ";
    for (int col = 0; col < g.Cols(); ++col) {
      const GridCell& cell = g.At(r, col);
      out << (col ? " | " : "") << cell.text;
      if (cell.foreColor >= 0) out << "{" << cell.foreColor << "}";
    }
    out << "\n";
  }
}

void PrintControl(std::ostream& out, const Control& c) {
  if (!c.visible) return;
  out << "  " << ControlKindName(c.kind) << " " << c.name;
  switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::Button:
      out << " \"" << c.caption << "\"";
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      out << " \"" << c.caption << "\" " << (c.checked ? "(x)" : "( )");
      break;
    case ControlKind::TextBox:
      if (!c.caption.empty()) out << " \"" << c.caption << "\"";
      out << " = \"" << c.text << "\"";
      break;
    case ControlKind::ComboBox:
    case ControlKind::ListBox: {
      out << " = \"" << (c.kind == ControlKind::ComboBox ? c.text
                         : c.selectedIndex >= 0 ? c.items[static_cast<size_t>(c.selectedIndex)]
                                                : std::string())
          << "\" of";
      for (size_t i = 0; i < c.items.size(); ++i) out << (i ? ", " : " ") << "#" << i + 1 << " " << c.items[i];
      break;
    }
    case ControlKind::TextPane:
      out << " (" << c.text.size() << " characters)";
      break;
    case ControlKind::Grid:
      break;
    case ControlKind::Surface:
      out << " (" << c.surface.Items().size() << " drawing items)";
      break;
  }
  if (c.kind != ControlKind::Label && c.kind != ControlKind::TextPane &&
      c.kind != ControlKind::Surface)
    out << (c.enabled ? " [enabled]" : " [disabled]");
  if (c.kind == ControlKind::Grid) {
    PrintGrid(out, c);
    return;
  }
  out << "\n";
  if (c.kind == ControlKind::TextPane && !c.text.empty()) {
    out << ToTerminalText(c.text);
    if (c.text.back() != '\n') out << "\n";
  }
}

}  // namespace

void PrintForm(std::ostream& out, const Form& form) {
  out << "== " << form.Caption() << " (" << form.Name() << ")"
      << (form.Enabled() ? "" : " [disabled]") << " ==\n";
  for (const auto& menu : form.Menus()) PrintMenu(out, menu, 1);
  for (const auto& name : form.ControlNames()) PrintControl(out, form.Get(name));
}

void PrintTextPane(std::ostream& out, const Form& form, const std::string& control) {
  const std::string& text = form.Text(control);
  out << "== " << form.Caption() << " ==\n" << ToTerminalText(text);
  if (!text.empty() && text.back() != '\n') out << "\n";
}

}  // namespace quorvane::console
