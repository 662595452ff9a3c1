#include "ui/controls/KxEdit.h"

#include "base/Exception.h"
#include "base/MessageBox.h"
#include "ui/controls/Form.h"

namespace ostrel {

namespace {

constexpr DWORD AlignmentStyles = ES_LEFT | ES_CENTER | ES_RIGHT;

CalendarDate Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::string ShortDateText(const CalendarDate& date)
{
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    char text[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text);
    return text;
}

}  // namespace

TKxEdit::TKxEdit(TForm& owner, TWinControl* parent, std::string name, const TMessageTexts& texts)
    : TControl(owner, parent, std::move(name)), texts_(texts)
{
    SetColor(clWindow);
    CreateHandle("EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | kx::AlignmentStyle(rules_.Alignment()),
                 WS_EX_CLIENTEDGE);
}

const PropertyTable& TKxEdit::Properties() const
{
    static const PropertyTable table(
        TControl::Properties(),
        {
            TextProperty("Text", &TKxEdit::Caption, &TKxEdit::SetCaption),
            BooleanProperty("NoBeepOnReturn", &TKxEdit::NoBeepOnReturn, &TKxEdit::SetNoBeepOnReturn),
            OrdinalProperty("ExitOptions", PropertyKind::Set, 0, 7, &TKxEdit::ExitOptions, &TKxEdit::SetExitOptions,
                            {"PrevDlgOnUp", "NextDlgOnDown", "NextDlgOnReturn"}),
            OrdinalProperty("AllowedChars", PropertyKind::Enumeration, 0, 3, &TKxEdit::AllowedChars,
                            &TKxEdit::SetAllowedChars, {"acAll", "acDigits", "acDigitsSigns", "acLetters"}),
            OrdinalProperty("EditFormat", PropertyKind::Enumeration, 0, 3, &TKxEdit::EditFormat,
                            &TKxEdit::SetEditFormat, {"teNormal", "teDate", "teTime", "tePhone"}),
            OrdinalProperty("Alignment", PropertyKind::Enumeration, 0, 2, &TKxEdit::Alignment, &TKxEdit::SetAlignment,
                            {"taRightJustify", "taLeftJustify", "taCenter"}),
        });
    return table;
}

void TKxEdit::SetAlignment(int value)
{
    rules_.SetAlignment(static_cast<kx::TAlignment>(value));
    RecreateHandle(AlignmentStyles, kx::AlignmentStyle(rules_.Alignment()));
}

bool TKxEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_KEYDOWN:
        switch (rules_.KeyDown(static_cast<unsigned>(wParam))) {
        case kx::KxAction::NextControl:
            SendMessageA(Owner().Handle(), WM_NEXTDLGCTL, 0, 0);
            break;
        case kx::KxAction::PreviousControl:
            SendMessageA(Owner().Handle(), WM_NEXTDLGCTL, 1, 0);
            break;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (rules_.TypedChar(static_cast<char>(wParam)) == kx::KxAction::Drop) {
            result = 0;
            return true;
        }
        break;
    case WM_KILLFOCUS:
        CompleteDate();
        break;
    default:
        break;
    }
    return TControl::HandleMessage(message, wParam, lParam, result);
}

// An impossible date stays as typed; the user is told why.
void TKxEdit::CompleteDate()
{
    try {
        if (std::optional<CalendarDate> date = rules_.ExitDate(Caption(), Today())) {
            SetCaption(ShortDateText(*date));
        }
    } catch (const Exception& error) {
        ShowErrorBox(error.Message(), texts_.Text(MessageKey::SError));
    }
}

}  // namespace ostrel
