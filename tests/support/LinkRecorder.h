#pragma once

#include "support/DialogWindows.h"
#include "ui/controls/KxURLLabel.h"

#include <mutex>
#include <string>
#include <vector>

namespace ostrel::test {

// A link's font colours and opened targets, recorded on the form's thread.
struct LinkRecorder {
    explicit LinkRecorder(TKxURLLabel& link)
    {
        link.Font().OnChange = [this, &link, repaint = link.Font().OnChange] {
            repaint();
            std::lock_guard<std::mutex> guard(mutex);
            colors.push_back(link.Font().Color());
        };
        link.Opener = [this](HWND form, const std::string& verb, const std::string& target, int show) {
            std::lock_guard<std::mutex> guard(mutex);
            targets.push_back(verb + " " + target + (show == SW_SHOW ? "" : " hidden"));
            window = form;
        };
    }
    bool WaitForColor(TColor color, std::size_t opened = 0)
    {
        return WaitUntil(
            [&] {
                std::lock_guard<std::mutex> guard(mutex);
                return !colors.empty() && colors.back() == color && targets.size() >= opened;
            },
            5000);
    }

    std::mutex mutex;
    std::vector<TColor> colors;
    std::vector<std::string> targets;
    HWND window = nullptr;
};

}  // namespace ostrel::test
