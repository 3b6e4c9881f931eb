// Sample assembly and range handling for AsfDemuxer (see the header for the contract).
#include "platform/wmvcore/asf/AsfDemuxer.h"

#include <algorithm>

#include "platform/wmvcore/asf/AsfByteReader.h"
#include "platform/wmvcore/asf/AsfHeaderParser.h"

namespace orvane::asf {

namespace {

constexpr uint64_t kBlockBytes = 1u << 20;
// Send times lead presentation times by up to the preroll; this margin covers muxers that
// send a little earlier still.
constexpr uint64_t kSeekBackoffMs = 5000;
constexpr size_t kMaxPendingBytes = 32u << 20;  // all streams together
constexpr uint32_t kInitialReserve = 256u << 10;
constexpr size_t kMaxSpare = 64;

}  // namespace

AsfError AsfDemuxer::Open(AsfSource* src)
{
    src_ = src;
    const AsfError e = AsfHeaderParser::Parse(*src, &header_);
    if (e != AsfError::kOk) {
        return e;
    }
    for (const AsfStream& s : header_.streams) {
        enabled_[s.number] = true;
        audio_[s.number] = s.kind == AsfStreamKind::kAudio;
        holdBack_[s.number] = s.kind == AsfStreamKind::kVideo && s.averageTimePerFrame == 0;
    }
    // The data object promised more than the file holds: read what is there, then say so.
    uint64_t known = 0;
    truncated_ = header_.declaredDataEnd != UINT64_MAX && src->KnownSize(&known) &&
                 known < header_.declaredDataEnd;
    const uint64_t bytes = header_.dataEnd - header_.dataOffset;
    packetLimit_ = header_.dataEnd == UINT64_MAX ? UINT64_MAX : bytes / header_.packetSize;
    if (header_.packetCount != 0 && header_.dataEnd != UINT64_MAX) {
        packetLimit_ = std::min(packetLimit_, header_.packetCount);
    }
    EstimateFrameTimes();
    return SetRange(0, 0);
}

void AsfDemuxer::EstimateFrameTimes()
{
    // Files without extended stream properties do not state a frame rate: take the mean
    // spacing of the first frames of each such video stream. Not for downloads: opening
    // must not wait for media data.
    constexpr unsigned kFrames = 17;
    constexpr int kMaxSamples = 2048;
    struct Probe {
        uint64_t first = 0;
        uint64_t last = 0;
        unsigned count = 0;
    };
    Probe probes[128];
    size_t wanted = 0;
    for (const AsfStream& st : header_.streams) {
        wanted += holdBack_[st.number];
    }
    if (wanted == 0 || !src_->CanSeekCheaply() || SetRange(0, 0) != AsfError::kOk) {
        return;
    }
    AsfSample s;
    size_t done = 0;
    for (int i = 0; i < kMaxSamples && done < wanted && Next(&s) == AsfError::kOk; ++i) {
        if (!holdBack_[s.stream]) {
            continue;
        }
        Probe& p = probes[s.stream];
        if (p.count == 0) {
            p.first = s.time;
        }
        p.last = s.time;
        if (++p.count == kFrames) {
            ++done;
        }
    }
    for (AsfStream& st : header_.streams) {
        const Probe& p = probes[st.number];
        if (holdBack_[st.number] && p.count >= 2 && p.last > p.first) {
            st.averageTimePerFrame = (p.last - p.first) / (p.count - 1);
        }
    }
}

void AsfDemuxer::SetStreamEnabled(uint16_t stream, bool enabled)
{
    if (stream < 128 && header_.FindStream(stream) != nullptr) {
        enabled_[stream] = enabled;
    }
}

uint64_t AsfDemuxer::PacketOffset(uint64_t index) const
{
    return header_.dataOffset + index * header_.packetSize;
}

AsfError AsfDemuxer::ReadPacket(const uint8_t** packet)
{
    if (nextPacket_ >= packetLimit_) {
        return truncated_ ? AsfError::kTruncated : AsfError::kEndOfData;
    }
    if (nextPacket_ < blockFirst_ || nextPacket_ >= blockFirst_ + blockCount_) {
        const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / header_.packetSize);
        uint64_t count = perBlock;
        if (packetLimit_ != UINT64_MAX) {
            count = std::min(count, packetLimit_ - nextPacket_);
        }
        block_.resize(static_cast<size_t>(count * header_.packetSize));
        // Read what is there, at least one packet: a download hands out what has arrived. A
        // short read at the end leaves a partial packet, an error only when it was promised.
        size_t total = 0;
        while (total < header_.packetSize) {
            size_t got = 0;
            const AsfError e = src_->ReadAt(PacketOffset(nextPacket_) + total,
                                            block_.data() + total, block_.size() - total, &got);
            if (e != AsfError::kOk) {
                return e;
            }
            if (got == 0) {
                break;
            }
            total += got;
        }
        blockFirst_ = nextPacket_;
        blockCount_ = total / header_.packetSize;
        if (blockCount_ == 0) {
            const bool promised = packetLimit_ != UINT64_MAX;
            return total == 0 && !promised ? AsfError::kEndOfData : AsfError::kTruncated;
        }
    }
    *packet = block_.data() + (nextPacket_ - blockFirst_) * header_.packetSize;
    ++nextPacket_;
    return AsfError::kOk;
}

uint64_t AsfDemuxer::Duration(const AsfSample& s) const
{
    const AsfStream* st = header_.FindStream(s.stream);
    if (st == nullptr) {
        return 0;
    }
    if (st->kind == AsfStreamKind::kAudio && st->averageBytesPerSecond > 0) {
        return uint64_t(s.data.size()) * 10000000 / st->averageBytesPerSecond;
    }
    return st->averageTimePerFrame;
}

void AsfDemuxer::Complete(Assembly& a)
{
    a.active = false;
    AsfSample& s = a.sample;
    s.duration = Duration(s);
    // A lost fragment before this object breaks the stream; so does the start of a range.
    s.discontinuity = a.discontinuity || !a.reached;
    a.discontinuity = false;
    if (s.time >= rangeEnd_) {
        spare_.push_back(std::move(s));
        return;
    }
    if (!a.reached && s.time < rangeStart_) {
        // Before the range: keep the group from the last key frame, so that a decoder
        // starting at the range start has what it needs.
        if (s.keyFrame) {
            for (AsfSample& old : a.pending) {
                spare_.push_back(std::move(old));
            }
            a.pending.clear();
            pendingTotal_ -= a.pendingBytes;
            a.pendingBytes = 0;
        }
        if (!a.pending.empty() || s.keyFrame) {
            if (pendingTotal_ + s.data.size() <= kMaxPendingBytes) {
                a.pendingBytes += s.data.size();
                pendingTotal_ += s.data.size();
                a.pending.push_back(std::move(s));
                return;
            }
        }
        spare_.push_back(std::move(s));
        return;
    }
    if (!a.reached) {
        // Only the first sample that goes out after the range start is marked; the pending
        // group's later samples and this one continue it.
        for (AsfSample& old : a.pending) {
            old.discontinuity = false;
        }
        s.discontinuity = s.discontinuity && a.pending.empty();
        if (!a.pending.empty()) {
            a.pending.front().discontinuity = true;
        }
        a.reached = true;
    }
    for (AsfSample& old : a.pending) {
        Emit(a, std::move(old));
    }
    a.pending.clear();
    pendingTotal_ -= a.pendingBytes;
    a.pendingBytes = 0;
    Emit(a, std::move(s));
}

void AsfDemuxer::Emit(Assembly& a, AsfSample&& s)
{
    if (!holdBack_[s.stream]) {
        ready_.push_back(std::move(s));
        return;
    }
    if (a.hasHeld) {
        if (s.time > a.held.time) {
            a.lastDelta = s.time - a.held.time;
        }
        a.held.duration = a.lastDelta;
        ready_.push_back(std::move(a.held));
    }
    a.held = std::move(s);
    a.hasHeld = true;
}

void AsfDemuxer::Finish(AsfError e)
{
    ended_ = true;
    endError_ = e;
    // The last frame of each held stream lasts as long as the one before it.
    for (Assembly& a : assembly_) {
        if (a.hasHeld) {
            a.held.duration = a.lastDelta;
            ready_.push_back(std::move(a.held));
            a.hasHeld = false;
        }
    }
}

AsfError AsfDemuxer::HandlePayload(const AsfPayload& p)
{
    if (p.stream == 0 || !enabled_[p.stream]) {
        return AsfError::kOk;
    }
    Assembly& a = assembly_[p.stream];
    if (p.offset == 0) {
        if (a.active) {
            // The previous object never completed: a fragment was lost.
            spare_.push_back(std::move(a.sample));
            a.discontinuity = true;
        }
        if (p.objectSize > kMaxObjectSize) {
            return AsfError::kTooLarge;
        }
        a.active = true;
        a.objectNumber = p.objectNumber;
        a.filled = 0;
        if (!spare_.empty()) {
            a.sample = std::move(spare_.back());
            spare_.pop_back();
        } else {
            a.sample = AsfSample();
        }
        a.sample.stream = p.stream;
        const uint64_t preroll = header_.prerollMs;
        a.sample.time = p.timeMs > preroll ? (p.timeMs - preroll) * 10000 : 0;
        // Every audio object decodes on its own, whatever the writer's key bit says.
        a.sample.keyFrame = p.keyFrame || audio_[p.stream];
        // Memory follows the bytes that actually arrive, not the size an object claims.
        a.objectSize = p.objectSize;
        a.sample.data.clear();
        a.sample.data.reserve(std::min<uint32_t>(p.objectSize, kInitialReserve));
    } else if (!a.active || a.objectNumber != p.objectNumber || a.filled != p.offset ||
               a.objectSize != p.objectSize) {
        // A fragment of an object whose start we did not see (after a seek) or that does not
        // continue the current one: drop it.
        if (a.active) {
            spare_.push_back(std::move(a.sample));
            a.active = false;
        }
        a.discontinuity = true;
        return AsfError::kOk;
    }
    a.sample.data.insert(a.sample.data.end(), p.data, p.data + p.length);
    a.filled += p.length;
    if (a.filled == a.objectSize) {
        Complete(a);
    }
    return AsfError::kOk;
}

AsfError AsfDemuxer::Next(AsfSample* out)
{
    while (ready_.empty()) {
        if (ended_) {
            return endError_;
        }
        const uint8_t* data = nullptr;
        AsfError e = ReadPacket(&data);
        if (e == AsfError::kOk) {
            e = AsfPacketParser::Parse(data, header_.packetSize, &packet_);
        }
        if (e != AsfError::kOk) {
            Finish(e);
            continue;
        }
        for (const AsfPayload& p : packet_.payloads) {
            e = HandlePayload(p);
            if (e != AsfError::kOk) {
                break;
            }
        }
        if (e != AsfError::kOk) {
            Finish(e);
        } else if (rangeEnd_ != UINT64_MAX && uint64_t(packet_.sendTimeMs) >
                                                  rangeEnd_ / 10000 + header_.prerollMs +
                                                      kSeekBackoffMs) {
            Finish(AsfError::kEndOfData);
        }
    }
    if (out->data.capacity() > 0 && spare_.size() < kMaxSpare) {
        spare_.push_back(std::move(*out));
    }
    *out = std::move(ready_.front());
    ready_.pop_front();
    return AsfError::kOk;
}

void AsfDemuxer::LoadSimpleIndex()
{
    indexLoaded_ = true;
    uint64_t size = 0;
    if (!src_->CanSeekCheaply() || !src_->KnownSize(&size) || header_.dataEnd == UINT64_MAX) {
        return;
    }
    uint64_t pos = header_.dataEnd;
    // The index objects follow the data object; take the first simple index found.
    for (int objects = 0; objects < 8 && pos + 56 <= size; ++objects) {
        uint8_t head[56];
        if (src_->ReadFully(pos, head, sizeof(head)) != AsfError::kOk) {
            return;
        }
        AsfByteReader r(head, sizeof(head));
        const AsfGuid id = r.ReadGuid();
        const uint64_t objectSize = r.U64();
        if (objectSize < 24 || objectSize > size - pos) {
            return;
        }
        if (id == guids::kSimpleIndex) {
            r.ReadGuid();
            const uint64_t interval = r.U64();
            r.U32();
            const uint32_t count = r.U32();
            if (interval == 0 || count > kMaxIndexEntries ||
                56 + uint64_t(count) * 6 > objectSize) {
                return;
            }
            std::vector<uint8_t> entries(size_t(count) * 6);
            if (src_->ReadFully(pos + 56, entries.data(), entries.size()) != AsfError::kOk) {
                return;
            }
            AsfByteReader er(entries.data(), entries.size());
            indexPackets_.resize(count);
            for (uint32_t i = 0; i < count; ++i) {
                indexPackets_[i] = er.U32();
                er.U16();
            }
            indexInterval_ = interval;
            return;
        }
        pos += objectSize;
    }
}

AsfError AsfDemuxer::FindStartPacket(uint64_t start, uint64_t* packet)
{
    *packet = 0;
    if (start == 0) {
        return AsfError::kOk;
    }
    if (!indexLoaded_) {
        LoadSimpleIndex();
    }
    if (indexInterval_ > 0 && !indexPackets_.empty()) {
        // Index times include the preroll in some writers and not in others: take the earlier
        // entry, the key-frame groups before the start are dropped by the assembly anyway.
        uint64_t i = start / indexInterval_;
        i = i > 0 ? i - 1 : 0;
        i = std::min<uint64_t>(i, indexPackets_.size() - 1);
        *packet = std::min<uint64_t>(indexPackets_[i], packetLimit_);
        return AsfError::kOk;
    }
    const uint64_t targetMs = start / 10000 + header_.prerollMs;
    const uint64_t goal = targetMs > kSeekBackoffMs ? targetMs - kSeekBackoffMs : 0;
    if (packetLimit_ != UINT64_MAX && !src_->CanSeekCheaply() && src_->CanJump()) {
        return EstimateStartPacket(goal, packet);
    }
    if (packetLimit_ == UINT64_MAX || !src_->CanSeekCheaply()) {
        return AsfError::kOk;  // read from the start and drop what lies before
    }
    // Last packet whose send time is at or before the goal.
    uint64_t lo = 0;
    uint64_t hi = packetLimit_;
    std::vector<uint8_t> buf(header_.packetSize);
    while (hi - lo > 1) {
        const uint64_t mid = lo + (hi - lo) / 2;
        AsfError e = src_->ReadFully(PacketOffset(mid), buf.data(), buf.size());
        if (e != AsfError::kOk) {
            return e;
        }
        uint32_t send = 0;
        e = AsfPacketParser::SendTime(buf.data(), header_.packetSize, &send);
        if (e != AsfError::kOk) {
            return e;
        }
        if (send <= goal) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    *packet = lo;
    return AsfError::kOk;
}

AsfError AsfDemuxer::EstimateStartPacket(uint64_t goalMs, uint64_t* packet)
{
    // Every probe costs a request: guess from the send duration, then step back while the
    // packet found was sent after the goal.
    const uint64_t sendMs = header_.sendDuration / 10000;
    if (sendMs == 0 || packetLimit_ == 0) {
        return AsfError::kOk;
    }
    uint64_t guess = static_cast<uint64_t>(double(goalMs) / double(sendMs) * double(packetLimit_));
    guess = std::min(guess, packetLimit_ - 1);
    std::vector<uint8_t> buf(header_.packetSize);
    for (int probes = 0; probes < 4 && guess > 0; ++probes) {
        const AsfError e = src_->ReadFully(PacketOffset(guess), buf.data(), buf.size());
        if (e != AsfError::kOk) {
            return e;
        }
        uint32_t send = 0;
        if (AsfPacketParser::SendTime(buf.data(), header_.packetSize, &send) != AsfError::kOk ||
            send <= goalMs) {
            break;
        }
        // Back by the overshoot at the average rate, and a quarter more.
        const uint64_t back =
            static_cast<uint64_t>(double(send - goalMs) / double(sendMs) * 1.25 *
                                  double(packetLimit_)) + 1;
        guess = back < guess ? guess - back : 0;
    }
    *packet = guess;
    return AsfError::kOk;
}

AsfError AsfDemuxer::SetRange(uint64_t start, uint64_t duration)
{
    for (Assembly& a : assembly_) {
        if (a.active) {
            spare_.push_back(std::move(a.sample));
        }
        for (AsfSample& s : a.pending) {
            spare_.push_back(std::move(s));
        }
        a = Assembly();
    }
    while (!ready_.empty()) {
        spare_.push_back(std::move(ready_.front()));
        ready_.pop_front();
    }
    pendingTotal_ = 0;
    if (header_.live) {
        // A live stream has no positions: reading goes on where it stands.
        rangeStart_ = 0;
        rangeEnd_ = UINT64_MAX;
        ended_ = false;
        endError_ = AsfError::kEndOfData;
        return AsfError::kOk;
    }
    rangeStart_ = start;
    rangeEnd_ = duration == 0 || duration > UINT64_MAX - start ? UINT64_MAX : start + duration;
    ended_ = false;
    endError_ = AsfError::kEndOfData;
    uint64_t packet = 0;
    const AsfError e = FindStartPacket(start, &packet);
    nextPacket_ = packet;
    return e;
}

AsfError AsfDemuxer::MaxObjectSize(uint16_t stream, uint32_t* size)
{
    *size = 0;
    const AsfStream* s = header_.FindStream(stream);
    if (s == nullptr) {
        return AsfError::kBadHeader;
    }
    if (s->maxObjectSize > 0) {
        *size = s->maxObjectSize;
        return AsfError::kOk;
    }
    if (!src_->CanSeekCheaply() || packetLimit_ == UINT64_MAX) {
        // Not scannable: a frame never exceeds an uncompressed picture of the stream.
        const uint64_t picture = uint64_t(s->width) * s->height * 4;
        *size = static_cast<uint32_t>(std::clamp<uint64_t>(picture, 1u << 16, kMaxObjectSize));
        return AsfError::kOk;
    }
    if (!scanned_) {
        const AsfError e = ScanObjectSizes();
        if (e != AsfError::kOk) {
            return e;
        }
    }
    *size = scannedMax_[stream];
    return AsfError::kOk;
}

AsfError AsfDemuxer::ScanObjectSizes()
{
    // One pass over the packets' payload headers for every stream: the object sizes are in
    // each first fragment. The result is kept; the file does not change while it is open.
    std::vector<uint8_t> block;
    AsfPacket packet;
    uint32_t best[128] = {};
    const uint64_t perBlock = std::max<uint64_t>(1, kBlockBytes / header_.packetSize);
    for (uint64_t first = 0; first < packetLimit_; first += perBlock) {
        const uint64_t count = std::min(perBlock, packetLimit_ - first);
        block.resize(static_cast<size_t>(count * header_.packetSize));
        size_t total = 0;
        while (total < block.size()) {
            size_t got = 0;
            const AsfError e = src_->ReadAt(PacketOffset(first) + total, block.data() + total,
                                            block.size() - total, &got);
            if (e != AsfError::kOk) {
                return e;
            }
            if (got == 0) {
                break;
            }
            total += got;
        }
        for (size_t off = 0; off + header_.packetSize <= total; off += header_.packetSize) {
            if (AsfPacketParser::Parse(block.data() + off, header_.packetSize, &packet) !=
                AsfError::kOk) {
                continue;
            }
            for (const AsfPayload& p : packet.payloads) {
                best[p.stream] = std::max(best[p.stream], p.objectSize);
            }
        }
        if (total < block.size()) {
            break;
        }
    }
    for (int i = 0; i < 128; ++i) {
        scannedMax_[i] = std::min(best[i], kMaxObjectSize);
    }
    scanned_ = true;
    return AsfError::kOk;
}

}  // namespace orvane::asf
