#include "media/CSoundSystem.h"

#include "media/CSoundSource.h"
#include "platform/AudioMixer.h"
#include "platform/RegisteredMessages.h"

namespace pestrol {

CSoundSystem::CSoundSystem() = default;

// Streams go first, while their sources, the output and the queue for their last
// messages still exist; those messages are dropped with the rest.
CSoundSystem::~CSoundSystem()
{
    m_streams.clear();
    m_sources.clear();
    m_mixer.reset();
    const MessageId messages[] = {m_started, m_stopped, m_ended, m_label};
    if (m_queue && m_queue->IsRunning())
        DiscardRegisteredMessages(messages);
}

std::int32_t CSoundSystem::InitSound()
{
    RegisterMessages();
    if (!m_queue)
        m_queue = std::make_unique<MessageQueue>();
    if (!m_mixer)
        m_mixer = std::make_unique<AudioMixer>();
    return m_queue->IsRunning() && m_label != 0 ? 0 : 1;
}

void CSoundSystem::RegisterMessages()
{
    if ((m_started = RegisterMessage(L"WM_IM_ONSOUNDPLAY")) == 0)
        return;
    if ((m_label = RegisterMessage(L"WM_IM_ONLABEL")) == 0)
        return;
    if ((m_stopped = RegisterMessage(L"WM_IM_ONSOUNDSTOP")) == 0)
        return;
    m_ended = RegisterMessage(L"WM_IM_ONSOUNDPOUSE");
}

std::uint32_t CSoundSystem::CreateSound(std::wstring_view name)
{
    return Create(name, [name] { return CSoundSource::Open(name, ResourceLibrary::Current()); });
}

std::uint32_t CSoundSystem::CreateSound(std::wstring_view name, const std::uint8_t* data,
                                        std::uint32_t size)
{
    return Create(name, [data, size] { return CSoundSource::OpenMemory(data, size); });
}

template <class Opener>
std::uint32_t CSoundSystem::Create(std::wstring_view name, Opener open)
{
    if (SourceEntry* entry = FindSource(name)) {
        if (CSoundStream* stream = StreamOf(*entry->source)) {
            stream->Ended().disconnect_all_slots();
            return stream->Id();
        }
        ++entry->useCount;
        return MakeStream(*entry->source);
    }
    std::unique_ptr<CSoundSource> source = open();
    if (!source)
        return 0;
    CSoundSource& opened = *source;
    m_sources.push_back(std::make_unique<SourceEntry>(SourceEntry{std::move(source), 1, std::wstring(name)}));
    return MakeStream(opened);
}

// Without an output no stream can be made; the source stays known under its name.
std::uint32_t CSoundSystem::MakeStream(CSoundSource& source)
{
    if (!m_mixer)
        return 0;
    const std::uint32_t id = ++m_lastId;
    m_streams.emplace(id, std::make_unique<CSoundStream>(*this, source, id));
    return id;
}

CSoundSystem::SourceEntry* CSoundSystem::FindSource(std::wstring_view name) const
{
    for (const auto& entry : m_sources) {
        if (entry->name == name)
            return entry.get();
    }
    return nullptr;
}

CSoundStream* CSoundSystem::StreamOf(const CSoundSource& source) const
{
    for (const auto& [id, stream] : m_streams) {
        if (&stream->Source() == &source)
            return stream.get();
    }
    return nullptr;
}

CSoundStream* CSoundSystem::FindStream(std::uint32_t id) const
{
    auto it = m_streams.find(id);
    return it == m_streams.end() ? nullptr : it->second.get();
}

std::uint32_t CSoundSystem::SourceUseCount(std::wstring_view name) const
{
    const SourceEntry* entry = FindSource(name);
    return entry == nullptr ? 0 : entry->useCount;
}

bool CSoundSystem::HasAudioDevice() const
{
    return m_mixer && m_mixer->HasDevice();
}

bool CSoundSystem::PlaySound(std::uint32_t id)
{
    CSoundStream* stream = FindStream(id);
    return stream != nullptr && stream->Play();
}

bool CSoundSystem::StopSound(std::uint32_t id)
{
    CSoundStream* stream = FindStream(id);
    return stream != nullptr && stream->Stop();
}

void CSoundSystem::OnSoundEnd(std::uint32_t id, const SoundSignal::slot_type& handler)
{
    if (CSoundStream* stream = FindStream(id))
        stream->Ended().connect(handler);
}

void CSoundSystem::AddLabel(std::uint32_t id, std::uint32_t time,
                            const LabelSignal::slot_type& handler)
{
    if (CSoundStream* stream = FindStream(id))
        stream->AddLabel(time, handler);
}

namespace {

void Raise(CSoundStream::SoundSignal& signal, std::uint32_t id)
{
    if (!signal.empty())
        signal(id);
}

}  // namespace

bool CSoundSystem::HandleSoundMessage(MessageId message, std::uint32_t wParam,
                                      std::uint32_t lParam)
{
    if (message == 0)
        return false;
    CSoundStream* stream = FindStream(wParam);
    if (message == m_started) {
        if (stream)
            Raise(stream->Started(), wParam);
    } else if (message == m_ended) {
        if (stream)
            Raise(stream->Ended(), wParam);
    } else if (message == m_stopped) {
        if (stream)
            Raise(stream->Stopped(), wParam);
    } else if (message == m_label) {
        if (stream)
            stream->FireLabel(lParam);
    } else {
        return false;
    }
    return true;
}

}  // namespace pestrol
