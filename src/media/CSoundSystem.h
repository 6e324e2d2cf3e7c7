#pragma once

#include "media/CSoundStream.h"
#include "platform/Messages.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pestrol {

class AudioMixer;
class CSoundSource;
class MessageQueue;

// The program's sounds: Ogg Vorbis streams with small numeric ids (0 = none), each with
// its own worker thread, mixed into the one audio output. Everything a stream reports
// arrives as one of four registered messages, which the window procedure hands to
// HandleSoundMessage on the main thread; there the stream's signals are raised.
class CSoundSystem {
public:
    using SoundSignal = CSoundStream::SoundSignal;
    using LabelSignal = CSoundStream::LabelSignal;

    CSoundSystem();
    virtual ~CSoundSystem();
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    // Registers the messages and opens the audio output (the silent sink without a
    // device). 0 when done; 1 when messages cannot be posted.
    std::int32_t InitSound();

    // `name` is a decimal resource number or a file path. A known name gives its stream
    // again, with the handlers of its end cut. 0 when the sound cannot be opened.
    std::uint32_t CreateSound(std::wstring_view name);
    // The same for Ogg data in memory, which must outlive the sound system.
    std::uint32_t CreateSound(std::wstring_view name, const std::uint8_t* data, std::uint32_t size);

    bool PlaySound(std::uint32_t id);
    // True when a playing stream was stopped; its worker has ended when this returns.
    bool StopSound(std::uint32_t id);
    void OnSoundEnd(std::uint32_t id, const SoundSignal::slot_type& handler);
    // A handler for `time` ms after PlaySound, timed by the main window's timers; add
    // labels before playing.
    void AddLabel(std::uint32_t id, std::uint32_t time, const LabelSignal::slot_type& handler);

    // For every message of the window: true when it was one of the sound messages.
    bool HandleSoundMessage(MessageId message, std::uint32_t wParam, std::uint32_t lParam);

    CSoundStream* FindStream(std::uint32_t id) const;
    // How many streams were made for the source of that name (0 when there is none).
    std::uint32_t SourceUseCount(std::wstring_view name) const;
    // False without output or while the silent sink plays.
    bool HasAudioDevice() const;

    // For the streams.
    AudioMixer& Mixer() { return *m_mixer; }
    MessageId StartedMessage() const { return m_started; }
    MessageId EndedMessage() const { return m_ended; }
    MessageId LabelMessage() const { return m_label; }

private:
    struct SourceEntry {
        std::unique_ptr<CSoundSource> source;
        std::uint32_t useCount;
        std::wstring name;
    };

    template <class Opener>
    std::uint32_t Create(std::wstring_view name, Opener open);
    std::uint32_t MakeStream(CSoundSource& source);
    SourceEntry* FindSource(std::wstring_view name) const;
    CSoundStream* StreamOf(const CSoundSource& source) const;
    void RegisterMessages();

    std::map<std::uint32_t, std::unique_ptr<CSoundStream>> m_streams;
    std::vector<std::unique_ptr<SourceEntry>> m_sources;
    std::unique_ptr<MessageQueue> m_queue;
    std::unique_ptr<AudioMixer> m_mixer;
    std::uint32_t m_lastId = 0;
    MessageId m_started = 0;
    MessageId m_stopped = 0;
    MessageId m_ended = 0;
    MessageId m_label = 0;
};

}  // namespace pestrol
