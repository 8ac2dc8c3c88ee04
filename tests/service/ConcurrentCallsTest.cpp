// Calls on several threads at once, as the server takes them: each call's
// result stands on its own line of the call log, and events go out in the
// order of the changes they report.
#include <atomic>
#include <thread>
#include <vector>

#include "LocalService.h"
#include "RecordingSink.h"

namespace {

using ConcurrentCalls = LocalService;

std::vector<std::wstring> LogLines(IServiceControl* control)
{
    std::vector<std::wstring> lines;
    LPWSTR text = nullptr;
    if (FAILED(control->GetCallLog(&text))) return lines;
    std::wstring all = TakeText(text);
    for (size_t at = 0, end; (end = all.find(L"\r\n", at)) != std::wstring::npos; at = end + 2)
        lines.push_back(all.substr(at, end - at));
    return lines;
}

TEST_F(ConcurrentCalls, AFailureStandsOnItsOwnCallsLineWhenAnotherCallWasLoggedMeanwhile)
{
    Ptr<IPowerStatus> power = DeviceFeature<IPowerStatus>(Device().Get());
    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(Device().Get());
    ASSERT_TRUE(power && rate);
    control_->ClearCallLog();
    ASSERT_EQ(S_OK, control_->SetFault(L"IPowerStatus.GetLevel", E_ACCESSDENIED, 300, 1));
    HRESULT slow = S_OK;
    std::thread caller([&] {
        LONG level = 0;
        slow = power->GetLevel(&level);
    });
    // Logged before its wait; the quick call comes after it and ends first.
    ASSERT_TRUE(PumpFor([&] { return LogLines(control_.Get()).size() == 1; }, 5000));
    ULONG interval = 0;
    EXPECT_EQ(S_OK, rate->Get(&interval));
    caller.join();
    EXPECT_EQ(E_ACCESSDENIED, slow);
    EXPECT_EQ((std::vector<std::wstring>{L"IPowerStatus.GetLevel -> 0x80070005", L"IReportRate.Get"}),
              LogLines(control_.Get()));
}

TEST_F(ConcurrentCalls, PressesOnManyThreadsReachASinkInTheOrderOfTheirChanges)
{
    Ptr<IProfileManager> profiles = Profiles();
    LONG count = 0;
    for (Ptr<IProfile> p; SUCCEEDED(profiles->Item(count, p.Out()));) ++count;
    ASSERT_GT(count, 2);
    RecordingSink* sink = RecordingSink::Create(__uuidof(_IProfileManagerEvents));
    DWORD cookie = AdviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), sink->Unknown());
    ASSERT_NE(0u, cookie);

    const int kThreads = 4, kPresses = 100;
    std::atomic<int> refused{0};
    std::vector<std::thread> pressers;
    for (int t = 0; t < kThreads; ++t)
        pressers.emplace_back([&] {
            for (int i = 0; i < kPresses; ++i)
                if (control_->PressProfileButton(0x1F) != S_OK) ++refused;
        });
    for (std::thread& t : pressers) t.join();
    EXPECT_EQ(0, refused.load());
    ASSERT_TRUE(PumpFor([&] { return sink->Events().size() == size_t(kThreads * kPresses); }, 10000));

    // Each press moves the active profile one on: every event names the
    // profile after the one before, and the last is the mouse's.
    std::vector<std::wstring> wrong;
    for (size_t i = 1; i < sink->Events().size(); ++i) {
        LONG before = std::stol(sink->Events()[i - 1].substr(8)), now = std::stol(sink->Events()[i].substr(8));
        if (now != (before + 1) % count) wrong.push_back(sink->Events()[i - 1] + L", " + sink->Events()[i]);
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " events out of order";
    Ptr<IProfile> active;
    ASSERT_EQ(S_OK, profiles->GetActive(active.Out()));
    LONG activeIndex = -1;
    for (LONG i = 0; i < count; ++i) {
        Ptr<IProfile> p;
        if (SUCCEEDED(profiles->Item(i, p.Out())) && IsEqualGUID(IdOf(p.Get()), IdOf(active.Get()))) activeIndex = i;
    }
    EXPECT_EQ(L"profile " + std::to_wstring(activeIndex), sink->Events().back());
    UnadviseSink(profiles.Get(), __uuidof(_IProfileManagerEvents), cookie);
    sink->Release();
}

}  // namespace
