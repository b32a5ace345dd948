// The console's window commands: one line acts on the active window.
#include <sstream>
#include <stdexcept>

#include "console/console_ui.h"
#include "console/form_printer.h"
#include "figure/save_figure.h"

namespace quorvane::console {

namespace {

const char* const kHelp =
    "Commands on the active window:\n"
    "  click NAME            press button NAME\n"
    "  set NAME TEXT         type TEXT into a text box or combo box, then leave it\n"
    "  check NAME / uncheck NAME\n"
    "  choose NAME           select option button NAME\n"
    "  select NAME ITEM      select a list or combo item by its text or #N (1-based)\n"
    "  dblclick NAME ROW COL double-click a grid cell (0-based, headers included)\n"
    "  menu A>B              a menu item by captions without '&'\n"
    "  save NAME FILE [WIDTHxHEIGHT] [DPI] [notitle]\n"
    "                        save surface NAME as a figure, .png, .svg or .pdf by FILE's\n"
    "                        extension; 1600x1000 pixels at 300 dpi unless given\n"
    "  window [NAME]         activate window NAME, or list the open windows\n"
    "  show                  print the active window\n"
    "  close                 close the active window\n"
    "Questions take yes, no, cancel or ok; values and file names a line of text,\n"
    "where an empty line cancels. Lines starting with # are comments.\n";

std::string Rest(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  rest.erase(0, rest.find_first_not_of(" \t"));
  return rest;
}

std::string Required(std::istringstream& in, const char* what, const std::string& command) {
  std::string word;
  if (!(in >> word)) throw std::invalid_argument(command + " needs " + what);
  return word;
}

int ItemIndex(const Control& c, const std::string& item) {
  if (item.size() > 1 && item[0] == '#') {
    try {
      return std::stoi(item.substr(1)) - 1;
    } catch (const std::exception&) {
      throw std::invalid_argument("\"" + item + "\" is not an item number");
    }
  }
  for (size_t i = 0; i < c.items.size(); ++i)
    if (c.items[i] == item) return static_cast<int>(i);
  throw std::invalid_argument(c.name + " has no item \"" + item + "\"");
}

int Number(const std::string& text, const char* what) {
  try {
    size_t used = 0;
    int value = std::stoi(text, &used);
    if (used == text.size()) return value;
  } catch (const std::exception&) {
  }
  throw std::invalid_argument(std::string(what) + " must be a whole number: " + text);
}

}  // namespace

void ConsoleUi::Execute(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  if (!(in >> command)) return;  // a blank line does nothing
  if (command == "help") {
    out_ << kHelp;
    return;
  }
  if (command == "window") {
    std::string name;
    if (!(in >> name)) {
      for (const Form* form : open_forms_) out_ << "  " << form->Name() << " " << form->Caption() << "\n";
      return;
    }
    Form* form = FindOpen(name);
    if (!form) throw std::invalid_argument("No open window " + name);
    BringToFront(*form);
    return;
  }
  Form* active = ActiveForm();
  if (!active) throw std::invalid_argument("No window is open");
  if (command == "show") {
    PrintForm(out_, *active);
    if (active->Name() == "frmMain") PrintStatusBars();
    return;
  }
  if (command == "close") {
    if (active->QueryClose()) CloseForm(*active);
    return;
  }
  if (command == "menu") {
    std::string path = Rest(in);
    if (path.empty()) throw std::invalid_argument("menu needs a path such as Application>Exit");
    if (active->HasMenuPath(path)) {
      active->ClickMenu(path);
      return;
    }
    for (Form* form : open_forms_)
      if (form->Name() == "frmMain" && form->HasMenuPath(path)) {
        form->ClickMenu(path);
        return;
      }
    throw std::invalid_argument("No menu item " + path + " on " + active->Name() +
                                " or the main window");
  }
  if (command == "click") {
    active->Click(Required(in, "a control name", command));
  } else if (command == "set") {
    std::string name = Required(in, "a control name", command);
    active->Type(name, Rest(in));
  } else if (command == "check" || command == "uncheck") {
    active->SetCheckedByUser(Required(in, "a control name", command), command == "check");
  } else if (command == "choose") {
    active->Choose(Required(in, "a control name", command));
  } else if (command == "select") {
    std::string name = Required(in, "a control name", command);
    std::string item = Rest(in);
    if (item.empty()) throw std::invalid_argument("select needs an item");
    active->Select(name, ItemIndex(active->Get(name), item));
  } else if (command == "save") {
    std::string name = Required(in, "a surface name", command);
    const SaveArguments arguments = ParseSaveArguments(Rest(in));
    if (arguments.Path.empty())
      throw std::invalid_argument("save needs a file name ending in .png, .svg or .pdf");
    const Control& c = active->Get(name);
    if (c.kind != ControlKind::Surface)
      throw std::invalid_argument(name + " is a " + ControlKindName(c.kind) + ", not a surface");
    if (auto error = figure::SaveSurface(c, arguments.Path, arguments.Options))
      throw std::invalid_argument(*error);
    if (!options_.quiet) out_ << "Picture saved: " << arguments.Path << "\n";
  } else if (command == "dblclick") {
    std::string name = Required(in, "a grid name", command);
    int row = Number(Required(in, "a row", command), "The row");
    int col = Number(Required(in, "a column", command), "The column");
    active->DoubleClick(name, row, col);
  } else {
    throw std::invalid_argument("Unknown command \"" + command + "\"; type help for the commands");
  }
}

}  // namespace quorvane::console
