#pragma once

#include "lang/Persistent.h"

#include <memory>
#include <vector>

namespace ostrel::test {

// A small form with owned controls and a font sub-object, for translating.
class TestFont : public Persistent {
public:
    const PropertyTable& Properties() const override
    {
        static const PropertyTable table = {
            TextProperty("Name", &TestFont::GetName, &TestFont::SetName),
            OrdinalProperty("Size", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TestFont::GetSize,
                            &TestFont::SetSize),
            OrdinalProperty("Style", PropertyKind::Set, 0, 15, &TestFont::GetStyle, &TestFont::SetStyle,
                            {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}),
            OrdinalProperty("Charset", PropertyKind::Integer, 0, 255, &TestFont::GetCharset,
                            &TestFont::SetCharset),
        };
        return table;
    }
    std::string GetName() const { return name; }
    void SetName(const std::string& value) { name = value; }
    int GetSize() const { return size; }
    void SetSize(int value) { size = value; }
    int GetStyle() const { return style; }
    void SetStyle(int value) { style = value; }
    int GetCharset() const { return charset; }
    void SetCharset(int value) { charset = value; }

    std::string name = "MS Sans Serif";
    int size = 8;
    int style = 0;
    int charset = 1;
};

class TestControl : public Component {
public:
    explicit TestControl(std::string name) : name(std::move(name)) {}

    const char* ClassName() const override { return "TTestControl"; }
    std::string Name() const override { return name; }
    Component* FindComponent(std::string_view) override { return nullptr; }
    const PropertyTable& Properties() const override
    {
        static const PropertyTable table = {
            TextProperty("Caption", &TestControl::GetCaption, &TestControl::SetCaption),
            TextProperty("Hint", &TestControl::GetHint, &TestControl::SetHint),
            OrdinalProperty("Left", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TestControl::GetLeft,
                            &TestControl::SetLeft),
            OrdinalProperty("Alignment", PropertyKind::Enumeration, 0, 2, &TestControl::GetAlignment,
                            &TestControl::SetAlignment, {"taLeftJustify", "taRightJustify", "taCenter"}),
            OrdinalProperty("PasswordChar", PropertyKind::Character, 0, 255, &TestControl::GetPasswordChar,
                            &TestControl::SetPasswordChar),
            FloatProperty("Ratio", &TestControl::GetRatio, &TestControl::SetRatio),
            LinesProperty("Lines", &TestControl::GetLines, &TestControl::SetLines),
            ObjectProperty("Font", &TestControl::FontObject),
            ObjectProperty("Parent", &TestControl::NoObject),
        };
        return table;
    }
    std::string GetCaption() const { return caption; }
    void SetCaption(const std::string& value) { caption = value; }
    std::string GetHint() const { return hint; }
    void SetHint(const std::string& value) { hint = value; }
    int GetLeft() const { return left; }
    void SetLeft(int value) { left = value; }
    int GetAlignment() const { return alignment; }
    void SetAlignment(int value) { alignment = value; }
    int GetPasswordChar() const { return passwordChar; }
    void SetPasswordChar(int value) { passwordChar = value; }
    double GetRatio() const { return ratio; }
    void SetRatio(double value) { ratio = value; }
    std::vector<std::string> GetLines() const { return lines; }
    void SetLines(const std::vector<std::string>& value) { lines = value; }
    Persistent* FontObject() { return &font; }
    Persistent* NoObject() { return nullptr; }

    std::string name;
    std::string caption;
    std::string hint;
    int left = 0;
    int alignment = 0;
    int passwordChar = 0;
    double ratio = 0;
    std::vector<std::string> lines;
    TestFont font;
};

class TestForm : public Component {
public:
    TestForm()
    {
        for (const char* name : {"btnHelp", "pnlBottom", "mmoInfo"}) {
            controls.push_back(std::make_unique<TestControl>(name));
        }
    }

    const char* ClassName() const override { return "TfrmTest"; }
    std::string Name() const override { return "frmTest"; }
    Component* FindComponent(std::string_view name) override
    {
        for (auto& control : controls) {
            if (SameName(control->name, name)) {
                return control.get();
            }
        }
        return nullptr;
    }
    const PropertyTable& Properties() const override
    {
        static const PropertyTable table = {
            TextProperty("Caption", &TestForm::GetCaption, &TestForm::SetCaption),
            OrdinalProperty("Color", PropertyKind::Integer, INT32_MIN, INT32_MAX, &TestForm::GetColor,
                            &TestForm::SetColor),
            OrdinalProperty("BorderStyle", PropertyKind::Enumeration, 0, 5, &TestForm::GetBorderStyle,
                            &TestForm::SetBorderStyle,
                            {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
            OrdinalProperty("BorderWidth", PropertyKind::Integer, 0, INT32_MAX, &TestForm::GetBorderWidth,
                            &TestForm::SetBorderWidth),
        };
        return table;
    }
    std::string GetCaption() const { return caption; }
    void SetCaption(const std::string& value) { caption = value; }
    int GetColor() const { return color; }
    void SetColor(int value) { color = value; }
    int GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(int value) { borderStyle = value; }
    int GetBorderWidth() const { return borderWidth; }
    void SetBorderWidth(int value) { borderWidth = value; }

    TestControl& Control(const char* name) { return *static_cast<TestControl*>(FindComponent(name)); }

    std::string caption = "Test";
    int color = -16777201;
    int borderStyle = 3;
    int borderWidth = 0;
    std::vector<std::unique_ptr<TestControl>> controls;
};

}  // namespace ostrel::test
