// The slot of every virtual operation of the interfaces that cross between the player and the
// engine, read from g++'s pointer-to-member representation (a virtual member is stored as one
// plus its byte offset in the table), and the number of slots of each interface.
#include "Common/QVRInterfaces.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

struct MemberPointerRep {
    uintptr_t ptr;
    ptrdiff_t adjust;
};

template <class P>
int SlotOf(P member)
{
    static_assert(sizeof(P) == sizeof(MemberPointerRep));
    MemberPointerRep rep;
    std::memcpy(&rep, &member, sizeof(rep));
    if ((rep.ptr & 1) == 0) {
        return -1;  // not a virtual member
    }
    return static_cast<int>((rep.ptr - 1) / sizeof(void*));
}

// One more virtual operation after an interface's last: its slot is the interface's count.
template <class Base>
struct Extended : Base {
    virtual void Appended() = 0;
};

template <class I>
int SlotCount()
{
    return SlotOf(&Extended<I>::Appended);
}

TEST(QVRInterfaces, CallbackObjectSlots)
{
    EXPECT_EQ(SlotOf(&QVRInstance::Log), 0);
    EXPECT_EQ(SlotOf(&QVRInstance::MessageBox), 1);
    EXPECT_EQ(SlotOf(&QVRInstance::GetCommandStates), 2);
    EXPECT_EQ(SlotOf(&QVRInstance::RunCommand), 3);
    EXPECT_EQ(SlotOf(&QVRInstance::GetIcon), 4);
    EXPECT_EQ(SlotOf(&QVRInstance::OnSliderScroll), 5);
    EXPECT_EQ(SlotOf(&QVRInstance::GetStatusText), 6);
    EXPECT_EQ(SlotOf(&QVRInstance::TrackSpeedMenu), 7);
    EXPECT_EQ(SlotOf(&QVRInstance::GetPosition), 8);
    EXPECT_EQ(SlotOf(&QVRInstance::GetDuration), 9);
    EXPECT_EQ(SlotOf(&QVRInstance::MinimizeRestore), 10);
    EXPECT_EQ(SlotOf(&QVRInstance::ShowHelp), 11);
    EXPECT_EQ(SlotOf(&QVRInstance::OnAsyncError), 12);
    EXPECT_EQ(SlotOf(&QVRInstance::OnAudioData), 13);
    EXPECT_EQ(SlotOf(&QVRInstance::OnPosition), 14);
    EXPECT_EQ(SlotOf(&QVRInstance::OnPlayEnd), 15);
    EXPECT_EQ(SlotOf(&QVRInstance::GetVideoSettings), 16);
    EXPECT_EQ(SlotOf(&QVRInstance::SetVideoSettings), 17);
    EXPECT_EQ(SlotOf(&QVRInstance::GetListCount), 18);
    EXPECT_EQ(SlotOf(&QVRInstance::GetListItemName), 19);
    EXPECT_EQ(SlotOf(&QVRInstance::GetListItemValue), 20);
    EXPECT_EQ(SlotOf(&QVRInstance::SetListItem), 21);
    EXPECT_EQ(SlotOf(&QVRInstance::Destroy), 22);
    EXPECT_EQ(SlotCount<QVRInstance>(), 23);
}

TEST(QVRInterfaces, EngineObjectSlots)
{
    EXPECT_EQ(SlotOf(&IQVRVideo::CreateReader), 0);
    EXPECT_EQ(SlotOf(&IQVRVideo::ReleaseReader), 1);
    EXPECT_EQ(SlotOf(&IQVRVideo::CreateNetReceiver), 2);
    EXPECT_EQ(SlotOf(&IQVRVideo::ReleaseNetReceiver), 3);
    EXPECT_EQ(SlotOf(&IQVRVideo::CreateAudioFormat), 4);
    EXPECT_EQ(SlotOf(&IQVRVideo::ReleaseAudioFormat), 5);
    EXPECT_EQ(SlotOf(&IQVRVideo::CreateVideoFormat), 6);
    EXPECT_EQ(SlotOf(&IQVRVideo::ReleaseVideoFormat), 7);
    EXPECT_EQ(SlotOf(&IQVRVideo::SetSettingsText), 8);
    EXPECT_EQ(SlotOf(&IQVRVideo::SetVideoWindows), 9);
    EXPECT_EQ(SlotOf(&IQVRVideo::CreateSettingsDlg), 10);
    EXPECT_EQ(SlotOf(&IQVRVideo::PreTranslateMessage), 11);
    EXPECT_EQ(SlotOf(&IQVRVideo::OnMainWindowMoved), 12);
    EXPECT_EQ(SlotOf(&IQVRVideo::DumpGraphs), 13);
    EXPECT_EQ(SlotOf(&IQVRVideo::SetVolume), 14);
    EXPECT_EQ(SlotOf(&IQVRVideo::CanFullScreen), 15);
    EXPECT_EQ(SlotOf(&IQVRVideo::IsFullScreen), 16);
    EXPECT_EQ(SlotOf(&IQVRVideo::SetFullScreen), 17);
    EXPECT_EQ(SlotOf(&IQVRVideo::Destroy), 18);
    EXPECT_EQ(SlotCount<IQVRVideo>(), 19);
}

TEST(QVRInterfaces, ReaderSlots)
{
    EXPECT_EQ(SlotOf(&IQVRVideoReader::Open), 0);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::GetInfo), 1);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::GetAudioFormat), 2);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::GetVideoFormat), 3);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::GetWMReader), 4);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::SetReadRange), 5);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::ShowVideo), 6);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::FindFrame), 7);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::GetFrameTime), 8);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::Play), 9);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::Stop), 10);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::Pause), 11);
    EXPECT_EQ(SlotOf(&IQVRVideoReader::Resume), 12);
    EXPECT_EQ(SlotCount<IQVRVideoReader>(), 13);
}

TEST(QVRInterfaces, FormatRecordSlots)
{
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::GetText), 0);
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::SetFromMediaProps), 1);
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::SetText), 2);
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::GetDescription), 3);
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::GetSamplesPerSec), 4);
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::GetAvgBytesPerSec), 5);
    EXPECT_EQ(SlotOf(&IQVRAudioFormat::GetChannels), 6);
    EXPECT_EQ(SlotCount<IQVRAudioFormat>(), 7);

    EXPECT_EQ(SlotOf(&IQVRVideoFormat::GetText), 0);
    EXPECT_EQ(SlotOf(&IQVRVideoFormat::SetFromMediaProps), 1);
    EXPECT_EQ(SlotOf(&IQVRVideoFormat::SetText), 2);
    EXPECT_EQ(SlotOf(&IQVRVideoFormat::GetDescription), 3);
    EXPECT_EQ(SlotOf(&IQVRVideoFormat::GetFrameRate), 4);
    EXPECT_EQ(SlotOf(&IQVRVideoFormat::GetFrameSize), 5);
    EXPECT_EQ(SlotCount<IQVRVideoFormat>(), 6);
}

TEST(QVRInterfaces, ReceiverAndSettingsPageSlots)
{
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::BuildGraph), 0);
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::Start), 1);
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::Stop), 2);
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::Pause), 3);
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::Resume), 4);
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::PushSample), 5);
    EXPECT_EQ(SlotOf(&IQVRNetReceiver::GraphEventLoop), 6);
    EXPECT_EQ(SlotCount<IQVRNetReceiver>(), 7);

    EXPECT_EQ(SlotOf(&IQVRSettDlg::IsDefault), 0);
    EXPECT_EQ(SlotOf(&IQVRSettDlg::IsChanged), 1);
    EXPECT_EQ(SlotOf(&IQVRSettDlg::ResetToDefaults), 2);
    EXPECT_EQ(SlotOf(&IQVRSettDlg::CommitSaved), 3);
    EXPECT_EQ(SlotOf(&IQVRSettDlg::ShowPanel), 4);
    EXPECT_EQ(SlotOf(&IQVRSettDlg::Validate), 5);
    EXPECT_EQ(SlotOf(&IQVRSettDlg::GetText), 6);
    EXPECT_EQ(SlotCount<IQVRSettDlg>(), 7);

    EXPECT_EQ(SlotOf(&QVRSettDlgHost::OnSettDlgChanged), 0);
    EXPECT_EQ(SlotCount<QVRSettDlgHost>(), 1);
}

TEST(QVRInterfaces, SharedRecordLayouts)
{
    EXPECT_EQ(sizeof(COMMAND_STATES), 76u);
    EXPECT_EQ(QVR_FORMAT_DESCRIPTION_BYTES, 2048);
    EXPECT_EQ(QVR_READER_INFO_SCREEN_DURATION + static_cast<int>(sizeof(double)),
              QVR_READER_INFO_BYTES);
}

}  // namespace
