#include "scanner/LineAssembler.h"

namespace ostrel {

void LineAssembler::Feed(std::string_view bytes, const LineSink& emit)
{
    std::string run;
    auto flush = [&] {
        Write(run);
        run.clear();
    };
    for (char byte : bytes) {
        switch (byte) {
        case '\0':
        case '\a':
            run += ' ';
            break;
        case '\b':
            flush();
            if (column_ > 0) {
                --column_;
            }
            break;
        case '\t':
            flush();
            Write("        ");
            break;
        case '\n':
            flush();
            Emit(emit);
            break;
        case '\r':
            flush();
            column_ = 0;
            break;
        default:
            run += byte;
        }
    }
    flush();
}

void LineAssembler::Finish(const LineSink& emit)
{
    if (!pendingLine_.empty()) {
        Emit(emit);
    }
}

void LineAssembler::Reset()
{
    pendingLine_.clear();
    column_ = 0;
}

void LineAssembler::Write(std::string_view text)
{
    if (column_ + text.size() > pendingLine_.size()) {
        pendingLine_.resize(column_ + text.size(), ' ');
    }
    pendingLine_.replace(column_, text.size(), text);
    column_ += text.size();
}

void LineAssembler::Emit(const LineSink& emit)
{
    std::string line = std::move(pendingLine_);
    Reset();
    if (emit) {
        emit(line);
    }
}

}  // namespace ostrel
