#include "ui/OstrelInfo.h"

#include "support/FormDriver.h"
#include "support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace ostrel::test {
namespace {

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }

TEST(Probe, InputPaths)
{
    TfrmInfo info(nullptr);
    TKxURLLabel& link = info.KxURLLabel2;
    std::atomic<int> opened{0};
    link.Opener = [&](HWND, const std::string&, const std::string& t, int) { ++opened; printf("open %s\n", t.c_str()); };
    MessageBoxWatcher watcher;
    FormDriver driver(info.Handle(), [&] {
        RECT r; GetWindowRect(link.Handle(), &r);
        printf("label rect %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        BOOL ok = SetCursorPos(r.left + 3, r.top + 3);
        POINT p; GetCursorPos(&p);
        printf("setcursor %d -> %ld %ld, wfp=%p label=%p\n", ok, p.x, p.y, (void*)WindowFromPoint(p), (void*)link.Handle());
        PostMessageA(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        Pause();
        printf("after move color %x\n", (unsigned)link.Font().Color());
        Pause(); Pause();
        printf("later color %x\n", (unsigned)link.Font().Color());
        // SendInput click
        INPUT in[2] = {};
        in[0].type = INPUT_MOUSE; in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].type = INPUT_MOUSE; in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        UINT sent = SendInput(2, in, sizeof(INPUT));
        Pause();
        printf("sendinput mouse %u opened=%d\n", sent, opened.load());
        // keyboard
        INPUT k[6] = {};
        WORD keys[3] = {VK_CONTROL, VK_MENU, 'C'};
        for (int i = 0; i < 3; ++i) { k[i].type = INPUT_KEYBOARD; k[i].ki.wVk = keys[i]; }
        for (int i = 0; i < 3; ++i) { k[3+i].type = INPUT_KEYBOARD; k[3+i].ki.wVk = keys[2-i]; k[3+i].ki.dwFlags = KEYEVENTF_KEYUP; }
        sent = SendInput(6, k, sizeof(INPUT));
        Pause(); Pause();
        printf("sendinput keys %u boxes=%zu fg=%p form=%p focus?\n", sent, watcher.Boxes().size(), (void*)GetForegroundWindow(), (void*)info.Handle());
        PostMessageA(info.Handle(), WM_CLOSE, 0, 0);
    });
    info.ShowModal();
}

}  // namespace
}  // namespace ostrel::test
