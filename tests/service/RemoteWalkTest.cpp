// The service reached as the programs reach it: walk the devices and read
// a few features through the proxies.
#include "RemoteTest.h"

namespace {

using RemoteService = RemoteTest;

// The server's object behind a proxy, as the proxy's marshalled form names
// it (the object id of the standard reference); 0 when it cannot be read.
ULONG64 ServerObjectId(IUnknown* proxy, REFIID iid)
{
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return 0;
    // OBJREF: signature, flags, interface; then STDOBJREF: flags, references,
    // apartment, object.
    struct {
        ULONG signature, flags;
        IID iid;
        ULONG stdFlags, references;
        ULONG64 apartment, object;
    } head{};
    ULONG got = 0;
    LARGE_INTEGER start{};
    // Table-weak: the marshalled form holds no reference to give back.
    if (FAILED(::CoMarshalInterface(stream, iid, proxy, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLEWEAK)) ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) || FAILED(stream->Read(&head, sizeof(head), &got)))
        got = 0;
    stream->Release();
    return got == sizeof(head) && head.flags == 1 /* standard */ ? head.object : 0;
}

// A stub made for each connect's copy of the class object went when the
// last client let go of its copy, and a connect whose copy was marshalled
// at that moment met a stub that was gone (RPC_E_DISCONNECTED).
TEST_F(RemoteService, EveryConnectMeetsTheOneStubOfTheClassObject)
{
    ULONG64 ids[2] = {};
    for (ULONG64& id : ids) {
        Ptr<IClassFactory> factory;
        ASSERT_EQ(S_OK, ::CoGetClassObject(CLSID_TkDeviceService, TK_DEVICE_SERVICE_CLSCTX, nullptr,
                                           IID_IClassFactory, factory.OutVoid()));
        id = ServerObjectId(factory.Get(), IID_IClassFactory);
        ASSERT_NE(0u, id);
    }
    EXPECT_EQ(ids[0], ids[1]);
}

TEST_F(RemoteService, WalksTheAttachedDevicesAndEndsPastTheLast)
{
    for (ULONG pid : {0x1Fu, 0x21u, 0x15u, 0x2Eu}) ASSERT_EQ(S_OK, control_->Attach(pid));
    Ptr<IDeviceCollection> c = ConnectService();
    ASSERT_TRUE(c);
    ULONG seen[4] = {};
    for (LONG i = 0; i < 4; ++i) {
        Ptr<IDevice> d;
        ASSERT_EQ(S_OK, c->Item(i, d.Out())) << i;
        DeviceInfo info{};
        ASSERT_EQ(S_OK, d->GetInfo(&info));
        ASSERT_NE(nullptr, info.text);
        EXPECT_NE(L'\0', info.text[0]);
        ::CoTaskMemFree(info.text);
        seen[i] = static_cast<ULONG>(info.productId);
    }
    EXPECT_EQ(0x1Fu, seen[0]);
    EXPECT_EQ(0x21u, seen[1]);
    EXPECT_EQ(0x15u, seen[2]);
    EXPECT_EQ(0x2Eu, seen[3]);
    Ptr<IDevice> past;
    EXPECT_LT(c->Item(4, past.Out()), 0);
    EXPECT_FALSE(past);
}

TEST_F(RemoteService, DefaultStateOffersWhatStartUpReads)
{
    Ptr<IDevice> d = FindDevice(ConnectService().Get(), 0x1F);
    ASSERT_TRUE(d);
    DeviceInfo info{};
    ASSERT_EQ(S_OK, d->GetInfo(&info));
    ::CoTaskMemFree(info.text);
    EXPECT_EQ(1, info.versionAMajor);
    EXPECT_EQ(5, info.versionAMinor);
    // The unit's version, which the configurator shows as the firmware.
    Ptr<IUnitVersion> unit = d.As<IUnitVersion>();
    ASSERT_TRUE(unit);
    BYTE v[4] = {};
    ASSERT_EQ(S_OK, unit->GetVersion(&v[0], &v[1], &v[2], &v[3]));
    EXPECT_EQ(1, v[0]);
    EXPECT_EQ(5, v[1]);

    Ptr<IProfileManager> m = DeviceFeature<IProfileManager>(d.Get());
    ASSERT_TRUE(m);
    LONG n = 0;
    for (Ptr<IProfile> p; SUCCEEDED(m->Item(n, p.Out())); ++n) EXPECT_EQ(L"Profile " + std::to_wstring(n + 1), ProfileName(p.Get()));
    EXPECT_EQ(5, n);
    Ptr<IProfile> active;
    ASSERT_EQ(S_OK, m->GetActive(active.Out()));
    EXPECT_EQ(L"Profile 1", ProfileName(active.Get()));

    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(active.Get());
    ASSERT_TRUE(dpi);
    DpiCapacity cap{};
    ASSERT_EQ(S_OK, dpi->GetCapacity(&cap));
    EXPECT_EQ(5u, cap.capacity);
    ULONG lo = 0, hi = 0, step = 0;
    ASSERT_EQ(S_OK, dpi->GetRange(&lo, &hi, &step));
    EXPECT_EQ(100u, lo);
    EXPECT_EQ(5600u, hi);
    EXPECT_EQ(100u, step);
    ULONG count = 0;
    DpiStage* stages = nullptr;
    ASSERT_EQ(S_OK, dpi->GetStages(&count, &stages));
    ASSERT_EQ(5u, count);
    EXPECT_EQ(800u, stages[0].x);
    EXPECT_EQ(5600u, stages[4].y);
    ::CoTaskMemFree(stages);

    Ptr<IButtonAssignments> buttons = ProfileFeature<IButtonAssignments>(active.Get());
    ASSERT_TRUE(buttons);
    ButtonSupport support{};
    ASSERT_EQ(S_OK, buttons->GetSupported(&support));
    EXPECT_EQ(7u, support.count);
    Ptr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(active.Get());
    ASSERT_TRUE(keys);
    KeyCount kc{};
    ASSERT_EQ(S_OK, keys->GetCount(&kc));
    EXPECT_EQ(24u, kc.count);

    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(d.Get());
    ASSERT_TRUE(rate);
    ULONG nr = 0;
    ULONG* rates = nullptr;
    ASSERT_EQ(S_OK, rate->GetSupported(&nr, &rates));
    ASSERT_EQ(3u, nr);
    EXPECT_EQ(125u, rates[0]);
    EXPECT_EQ(1000u, rates[2]);
    ::CoTaskMemFree(rates);
}

}  // namespace
