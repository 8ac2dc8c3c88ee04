// Everything the service hands back is one CoTaskMem block per result that
// the caller frees once: watched through an IMallocSpy, every block a call
// allocates is one the caller receives, a failed call allocates nothing, and
// freeing what was received leaves nothing behind.
#include <objidl.h>

#include <set>

#include "LocalService.h"

namespace {

class CountingSpy : public IMallocSpy {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMallocSpy)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T size) override { return size; }
    STDMETHODIMP_(void*) PostAlloc(void* p) override
    {
        if (p) live.insert(p);
        return p;
    }
    STDMETHODIMP_(void*) PreFree(void* p, BOOL spyed) override
    {
        if (p && spyed && !live.erase(p)) ++badFrees;
        return p;
    }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* p, SIZE_T size, void** out, BOOL) override
    {
        live.erase(p);
        *out = p;
        return size;
    }
    STDMETHODIMP_(void*) PostRealloc(void* p, BOOL) override
    {
        if (p) live.insert(p);
        return p;
    }
    STDMETHODIMP_(void*) PreGetSize(void* p, BOOL) override { return p; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T size, BOOL) override { return size; }
    STDMETHODIMP_(void*) PreDidAlloc(void* p, BOOL) override { return p; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}

    std::set<void*> live;
    int badFrees = 0;
};

class MemoryOwnership : public LocalService {
protected:
    void SetUp() override
    {
        LocalService::SetUp();
        device_ = Device();
        profile_ = ProfileAt(0);
        Ptr<IMacro> macro;
        ASSERT_EQ(S_OK, Macros()->Create(macro.Out()));
        spy_.live.clear();
        spy_.badFrees = 0;
        ASSERT_EQ(S_OK, ::CoRegisterMallocSpy(&spy_));
    }
    void TearDown() override
    {
        EXPECT_EQ(S_OK, ::CoRevokeMallocSpy()) << "blocks still allocated under the spy";
        profile_.Reset();
        device_.Reset();
        LocalService::TearDown();
    }
    // The blocks one call allocated: they must be exactly the ones it
    // handed out.
    template <class F>
    std::set<void*> Allocated(F call)
    {
        std::set<void*> before = spy_.live;
        call();
        std::set<void*> made;
        for (void* p : spy_.live)
            if (!before.count(p)) made.insert(p);
        return made;
    }

    // Static: a spy that cannot be revoked yet is still called later.
    static CountingSpy spy_;
    Ptr<IDevice> device_;
    Ptr<IProfile> profile_;
};

CountingSpy MemoryOwnership::spy_;

TEST_F(MemoryOwnership, EachReturnedTextBlockAndArrayIsTheOneBlockItsCallAllocated)
{
    DeviceInfo info{};
    std::set<void*> made = Allocated([&] { ASSERT_EQ(S_OK, device_->GetInfo(&info)); });
    EXPECT_EQ(std::set<void*>{info.text}, made);
    ::CoTaskMemFree(info.text);

    LPWSTR name = nullptr;
    made = Allocated([&] { ASSERT_EQ(S_OK, profile_->GetName(&name)); });
    EXPECT_EQ(std::set<void*>{name}, made);
    ::CoTaskMemFree(name);

    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(profile_.Get());
    ULONG count = 0;
    DpiStage* stages = nullptr;
    made = Allocated([&] { ASSERT_EQ(S_OK, dpi->GetStages(&count, &stages)); });
    EXPECT_EQ(std::set<void*>{stages}, made);
    ::CoTaskMemFree(stages);

    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(device_.Get());
    ULONG* rates = nullptr;
    made = Allocated([&] { ASSERT_EQ(S_OK, rate->GetSupported(&count, &rates)); });
    EXPECT_EQ(std::set<void*>{rates}, made);
    ::CoTaskMemFree(rates);

    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, Macros()->Item(0, macro.Out()));
    MacroBlock* block = nullptr;
    made = Allocated([&] { ASSERT_EQ(S_OK, macro->GetEvents(&block)); });
    EXPECT_EQ(std::set<void*>{block}, made);
    ::CoTaskMemFree(block);
    made = Allocated([&] { ASSERT_EQ(S_OK, macro->GetName(&name)); });
    EXPECT_EQ(std::set<void*>{name}, made);
    ::CoTaskMemFree(name);

    LPWSTR text = nullptr;
    made = Allocated([&] { ASSERT_EQ(S_OK, control_->DumpState(&text)); });
    EXPECT_EQ(std::set<void*>{text}, made);
    ::CoTaskMemFree(text);
    made = Allocated([&] { ASSERT_EQ(S_OK, control_->GetCallLog(&text)); });
    EXPECT_EQ(std::set<void*>{text}, made);
    ::CoTaskMemFree(text);

    EXPECT_TRUE(spy_.live.empty());
    EXPECT_EQ(0, spy_.badFrees);
}

TEST_F(MemoryOwnership, FailedCallsAllocateNothingAndLeaveTheirOutsNull)
{
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(profile_.Get());
    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(device_.Get());
    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, Macros()->Item(0, macro.Out()));
    ASSERT_EQ(S_OK, control_->Detach(0x1F));

    DeviceInfo info{};
    LPWSTR name = nullptr;
    ULONG count = 9;
    DpiStage* stages = nullptr;
    ULONG* rates = nullptr;
    MacroBlock* block = nullptr;
    std::set<void*> made = Allocated([&] {
        EXPECT_LT(device_->GetInfo(&info), 0);
        EXPECT_LT(profile_->GetName(&name), 0);
        EXPECT_LT(dpi->GetStages(&count, &stages), 0);
        EXPECT_LT(rate->GetSupported(&count, &rates), 0);
        EXPECT_LT(macro->GetEvents(&block), 0);
        EXPECT_LT(macro->GetName(&name), 0);
    });
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(nullptr, info.text);
    EXPECT_EQ(nullptr, name);
    EXPECT_EQ(nullptr, stages);
    EXPECT_EQ(nullptr, rates);
    EXPECT_EQ(nullptr, block);
    EXPECT_EQ(0u, count);

    // An injected failure allocates nothing either.
    ASSERT_EQ(S_OK, control_->Attach(0x1F));
    ASSERT_EQ(S_OK, control_->SetFault(L"IProfile.GetName", E_FAIL, 0, 1));
    Ptr<IProfile> fresh = ProfileAt(0);
    made = Allocated([&] { EXPECT_EQ(E_FAIL, fresh->GetName(&name)); });
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(0, spy_.badFrees);
}

}  // namespace
