// The records as Python classes with the header's field names, and the header's constants.
// Their comments are the header's, in the stub stangenspiel.pyi that tools/python_api.py writes.
// A record is built with its fields in order or by name (t_RGBColor(255, 0, 0, 255),
// t_Rect(Width=320)); two records are equal when every field is; byte fields are bytes.
#include <string>
#include <utility>
#include <vector>

#include "python/binding.h"

namespace {

// A bytes field longer than this shows as its length in a record's repr.
constexpr Py_ssize_t shortbytes = 16;

template <typename Record>
class t_RecordClass {
public:
    t_RecordClass(py::module_& m, const char* name) : Class(m, name) {}

    template <typename Field>
    t_RecordClass& field(const char* name, Field Record::*member) {
        Class.def_readwrite(name, member);
        Fields.emplace_back(name);
        return *this;
    }

    // After the last field: construction, equality, repr and copies.
    void finish() {
        const std::vector<std::string> fields = Fields;
        const std::string name = py::str(Class.attr("__name__"));
        Class.def(py::init([fields, name](const py::args& args, const py::kwargs& kwargs) {
            return build(fields, name, args, kwargs);
        }));
        Class.def("__eq__", [fields](const py::object& a, const py::object& b) -> py::object {
            if (!py::isinstance<Record>(b)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
            for (const std::string& f : fields)
                if (!a.attr(f.c_str()).equal(b.attr(f.c_str()))) return py::bool_(false);
            return py::bool_(true);
        });
        Class.attr("__hash__") = py::none();  // mutable values
        Class.def("__repr__", [fields, name](const py::object& self) {
            std::string text = name + "(";
            for (const std::string& f : fields) {
                const py::object value = self.attr(f.c_str());
                if (f != fields.front()) text += ", ";
                text += f + "=";
                if (py::isinstance<py::bytes>(value) && py::len(value) > shortbytes)
                    text += "<" + std::to_string(py::len(value)) + " bytes>";
                else
                    text += py::repr(value).cast<std::string>();
            }
            return text + ")";
        });
        Class.def("__copy__", [](const Record& self) { return Record(self); });
        Class.def("__deepcopy__", [](const Record& self, const py::object&) { return Record(self); });
        Class.attr("_fields") = py::tuple(py::cast(fields));
    }

private:
    static Record build(const std::vector<std::string>& fields, const std::string& name, const py::args& args,
                        const py::kwargs& kwargs) {
        if (args.size() > fields.size())
            throw py::type_error(name + " has " + std::to_string(fields.size()) + " fields, " +
                                 std::to_string(args.size()) + " given");
        py::object record = py::cast(Record{});
        for (size_t i = 0; i < args.size(); ++i) record.attr(fields[i].c_str()) = args[i];
        for (const auto& [key, value] : kwargs) {
            const std::string field = py::str(key);
            size_t index = 0;
            while (index < fields.size() && fields[index] != field) ++index;
            if (index == fields.size()) throw py::type_error(name + " has no field " + field);
            if (index < args.size()) throw py::type_error(name + ": " + field + " given twice");
            record.attr(field.c_str()) = value;
        }
        return record.cast<Record>();
    }

    py::class_<Record> Class;
    std::vector<std::string> Fields;
};

void bindsmallrecords(py::module_& m) {
    t_RecordClass<t_RGBColor>(m, "t_RGBColor")
        .field("Alpha", &t_RGBColor::Alpha)
        .field("Red", &t_RGBColor::Red)
        .field("Green", &t_RGBColor::Green)
        .field("Blue", &t_RGBColor::Blue)
        .finish();
    t_RecordClass<t_Rect>(m, "t_Rect")
        .field("X", &t_Rect::X)
        .field("Y", &t_Rect::Y)
        .field("Width", &t_Rect::Width)
        .field("Height", &t_Rect::Height)
        .finish();
    t_RecordClass<t_Font>(m, "t_Font")
        .field("HeaderSize", &t_Font::HeaderSize)
        .field("Identifier", &t_Font::Identifier)
        .field("Format", &t_Font::Format)
        .field("Size", &t_Font::Size)
        .field("Start", &t_Font::Start)
        .field("End", &t_Font::End)
        .field("Width", &t_Font::Width)
        .field("Height", &t_Font::Height)
        .field("Reserved", &t_Font::Reserved)
        .field("Data", &t_Font::Data)
        .finish();
    t_RecordClass<t_ProgramInfo>(m, "t_ProgramInfo")
        .field("Name", &t_ProgramInfo::Name)
        .field("Version", &t_ProgramInfo::Version)
        .field("Description", &t_ProgramInfo::Description)
        .finish();
}

void bindwindowrecord(py::module_& m) {
    t_RecordClass<t_Window>(m, "t_Window")
        .field("Initialized", &t_Window::Initialized)
        .field("Visible", &t_Window::Visible)
        .field("IgnoreEvents", &t_Window::IgnoreEvents)
        .field("AutoUpdate", &t_Window::AutoUpdate)
        .field("QuickUpdate", &t_Window::QuickUpdate)
        .field("ScrollLock", &t_Window::ScrollLock)
        .field("VerticalBlank", &t_Window::VerticalBlank)
        .field("UpdateStarted", &t_Window::UpdateStarted)
        .field("UpdateFinished", &t_Window::UpdateFinished)
        .field("UpdateDuration", &t_Window::UpdateDuration)
        .field("RefreshRate", &t_Window::RefreshRate)
        .field("Window", &t_Window::Window)
        .field("View", &t_Window::View)
        .field("DrawingRect", &t_Window::DrawingRect)
        .field("TitleHeight", &t_Window::TitleHeight)
        .field("BorderWidth", &t_Window::BorderWidth)
        .field("BorderHeight", &t_Window::BorderHeight)
        .field("RGBColorBorder", &t_Window::RGBColorBorder)
        .field("BitDepth", &t_Window::BitDepth)
        .field("Width", &t_Window::Width)
        .field("Height", &t_Window::Height)
        .field("RGBColor", &t_Window::RGBColor)
        .field("DrawingMode", &t_Window::DrawingMode)
        .field("PositionX", &t_Window::PositionX)
        .field("PositionY", &t_Window::PositionY)
        .field("MemoryStart", &t_Window::MemoryStart)
        .field("MemoryEnd", &t_Window::MemoryEnd)
        .field("Font", &t_Window::Font)
        .field("TextWidth", &t_Window::TextWidth)
        .field("TextHeight", &t_Window::TextHeight)
        .field("TextFirstColumn", &t_Window::TextFirstColumn)
        .field("TextLastColumn", &t_Window::TextLastColumn)
        .field("TextFirstLine", &t_Window::TextFirstLine)
        .field("TextLastLine", &t_Window::TextLastLine)
        .field("TextHpos", &t_Window::TextHpos)
        .field("TextVpos", &t_Window::TextVpos)
        .field("TextColor", &t_Window::TextColor)
        .field("TextInverse", &t_Window::TextInverse)
        .field("TextDisplayMode", &t_Window::TextDisplayMode)
        .field("TextCursorLevel", &t_Window::TextCursorLevel)
        .field("TextRedirectOutput", &t_Window::TextRedirectOutput)
        .field("InputString", &t_Window::InputString)
        .field("InputFinished", &t_Window::InputFinished)
        .field("InputMode", &t_Window::InputMode)
        .field("InputHpos", &t_Window::InputHpos)
        .field("InputVpos", &t_Window::InputVpos)
        .field("InputCursorPos", &t_Window::InputCursorPos)
        .field("InputMaxCharacters", &t_Window::InputMaxCharacters)
        .field("LoResOffsetX", &t_Window::LoResOffsetX)
        .field("LoResOffsetY", &t_Window::LoResOffsetY)
        .field("LoResMode", &t_Window::LoResMode)
        .field("TextMemoryStart", &t_Window::TextMemoryStart)
        .field("TextMemoryEnd", &t_Window::TextMemoryEnd)
        .finish();
}

void bindeventrecords(py::module_& m) {
    t_RecordClass<t_Event>(m, "t_Event")
        .field("Kind", &t_Event::Kind)
        .field("Index", &t_Event::Index)
        .field("Description", &t_Event::Description)
        .field("Value", &t_Event::Value)
        .field("WindowX", &t_Event::WindowX)
        .field("WindowY", &t_Event::WindowY)
        .field("ClickX", &t_Event::ClickX)
        .field("ClickY", &t_Event::ClickY)
        .field("Mods", &t_Event::Mods)
        .field("Window", &t_Event::Window)
        .field("Time", &t_Event::Time)
        .field("CloseBox", &t_Event::CloseBox)
        .field("CapsLockPressed", &t_Event::CapsLockPressed)
        .field("ShiftPressed", &t_Event::ShiftPressed)
        .field("ControlPressed", &t_Event::ControlPressed)
        .field("OptionPressed", &t_Event::OptionPressed)
        .field("CommandPressed", &t_Event::CommandPressed)
        .field("NumericPadPressed", &t_Event::NumericPadPressed)
        .field("HelpPressed", &t_Event::HelpPressed)
        .field("FnPressed", &t_Event::FnPressed)
        .field("CursorKeyPressed", &t_Event::CursorKeyPressed)
        .field("FunctionKeyPressed", &t_Event::FunctionKeyPressed)
        .finish();
    t_RecordClass<t_MenuEvent>(m, "t_MenuEvent")
        .field("Kind", &t_MenuEvent::Kind)
        .field("MenuTitle", &t_MenuEvent::MenuTitle)
        .field("ItemTitle", &t_MenuEvent::ItemTitle)
        .field("ItemKeyChar", &t_MenuEvent::ItemKeyChar)
        .field("ItemKeyMods", &t_MenuEvent::ItemKeyMods)
        .field("ItemKeyAsc", &t_MenuEvent::ItemKeyAsc)
        .field("ItemAction", &t_MenuEvent::ItemAction)
        .field("Time", &t_MenuEvent::Time)
        .finish();
    t_RecordClass<t_MenuAction>(m, "t_MenuAction")
        .field("Tag", &t_MenuAction::Tag)
        .field("Action", &t_MenuAction::Action)
        .field("Title", &t_MenuAction::Title)
        .field("Note", &t_MenuAction::Note)
        .field("FileName", &t_MenuAction::FileName)
        .field("FileTypes", &t_MenuAction::FileTypes)
        .field("FilePath", &t_MenuAction::FilePath)
        .finish();
}

void bindgraphicrecord(py::module_& m) {
    t_RecordClass<t_Graphic>(m, "t_Graphic")
        .field("HeaderSize", &t_Graphic::HeaderSize)
        .field("Identifier", &t_Graphic::Identifier)
        .field("Format", &t_Graphic::Format)
        .field("Size", &t_Graphic::Size)
        .field("Width", &t_Graphic::Width)
        .field("Height", &t_Graphic::Height)
        .field("Reserved1", &t_Graphic::Reserved1)
        .field("Reserved2", &t_Graphic::Reserved2)
        .field("Reserved3", &t_Graphic::Reserved3)
        .field("Data", &t_Graphic::Data)
        .finish();
}

void bindconstants(py::module_& m) {
    const std::pair<const char*, int64_t> constants[] = {
        {"g_FormatBool", g_FormatBool},
        {"g_FormatNibble", g_FormatNibble},
        {"g_FormatGrey", g_FormatGrey},
        {"g_FormatRGBColor", g_FormatRGBColor},
        {"g_FormatAGrey", g_FormatAGrey},
        {"g_FormatARGBColor", g_FormatARGBColor},
        {"g_FormatPackedBool", g_FormatPackedBool},
        {"g_FormatPackedNibble", g_FormatPackedNibble},
        {"g_FormatPackedAGrey", g_FormatPackedAGrey},
        {"g_FormatPackedARGBColor", g_FormatPackedARGBColor},
        {"g_FormatRLEBool", g_FormatRLEBool},
        {"g_FormatRLENibble", g_FormatRLENibble},
        {"g_FormatRLEGrey", g_FormatRLEGrey},
        {"g_FormatRLERGBColor", g_FormatRLERGBColor},
        {"g_FormatRLEAGrey", g_FormatRLEAGrey},
        {"g_FormatRLEARGBColor", g_FormatRLEARGBColor},
        {"g_FormatRLEPackedBool", g_FormatRLEPackedBool},
        {"g_FormatRLEPackedNibble", g_FormatRLEPackedNibble},
        {"g_FormatRLEPackedAGrey", g_FormatRLEPackedAGrey},
        {"g_FormatRLEPackedARGBColor", g_FormatRLEPackedARGBColor},
        {"g_FormatLZW", g_FormatLZW},
        {"windowcount", windowcount},
        {"pasteboardwindow", pasteboardwindow},
        {"printerwindow", printerwindow},
        {"consolewindow", consolewindow},
        {"preferenceswindow", preferenceswindow},
        {"applicationwindow", applicationwindow},
        {"nowindow", nowindow},
        {"capslockbit", capslockbit},
        {"shiftbit", shiftbit},
        {"controlbit", controlbit},
        {"optionbit", optionbit},
        {"commandbit", commandbit},
        {"numericpadbit", numericpadbit},
        {"helpbit", helpbit},
        {"functionbit", functionbit},
    };
    for (const auto& [name, value] : constants) m.attr(name) = value;
}

}  // namespace

void bindrecords(py::module_& m) {
    bindsmallrecords(m);
    bindwindowrecord(m);
    bindeventrecords(m);
    bindgraphicrecord(m);
    bindconstants(m);
}
