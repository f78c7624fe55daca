#include "platform/win32/Win32mouse.h"

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

#include "platform/win32/Systemdll.h"

namespace {
HANDLE ToHandle(IMouseEvents::TStop stop) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(stop)); }
constexpr DWORD kIdleCheckMs = 1000;
constexpr DWORD kRetryMs = 100;
}  // namespace

bool TWin32Mouse::Setup(TStep step) {
    switch (step) {
        case TStep::Event:
            m_Event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
            return m_Event != nullptr;
        case TStep::Input: {
            static const auto create =
                SystemFunction<decltype(&DirectInput8Create)>(L"dinput8.dll", "DirectInput8Create");
            return create && SUCCEEDED(create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W,
                                              reinterpret_cast<void**>(&m_Input), nullptr));
        }
        case TStep::Device:
            return m_Input && SUCCEEDED(m_Input->CreateDevice(GUID_SysMouse, &m_Device, nullptr));
        case TStep::DataFormat: {
            if (!m_Device || FAILED(m_Device->SetDataFormat(&c_dfDIMouse))) return false;
            // Without a buffer each notification can only count as one report.
            DIPROPDWORD buffer{};
            buffer.diph.dwSize = sizeof(buffer);
            buffer.diph.dwHeaderSize = sizeof(buffer.diph);
            buffer.diph.dwHow = DIPH_DEVICE;
            buffer.dwData = kBufferItems;
            m_Buffered = SUCCEEDED(m_Device->SetProperty(DIPROP_BUFFERSIZE, &buffer.diph));
            return true;
        }
        case TStep::Notification:
            return m_Device && m_Event && SUCCEEDED(m_Device->SetEventNotification(m_Event));
        case TStep::Acquire:
            return m_Device && SUCCEEDED(m_Device->Acquire());
    }
    return false;
}

uint32_t TWin32Mouse::Wait(TStop stop) {
    if (!m_Event || !m_Device) {
        // A device that could not be set up never notifies: only the stop can end the wait.
        if (stop == 0) Sleep(INFINITE);
        WaitForSingleObject(ToHandle(stop), INFINITE);
        return 0;
    }
    HANDLE handles[2] = {m_Event, ToHandle(stop)};
    const DWORD count = stop != 0 ? 2 : 1;
    for (;;) {
        // The stop comes first, so a raised stop wins over queued reports.
        if (stop != 0 && WaitForSingleObject(ToHandle(stop), 0) == WAIT_OBJECT_0) return 0;
        // A device that lost its acquisition (a restart of the mouse, a secure desktop) may
        // never signal again: once a second without a signal, the buffer is looked at, which
        // takes the device again when it was lost.
        const DWORD woken = WaitForMultipleObjects(count, handles, FALSE, kIdleCheckMs);
        if (woken == WAIT_FAILED) {
            // Not a stop: the wait itself failed (a handle closed under it). Try again shortly
            // rather than end the sampler.
            Sleep(kRetryMs);
            continue;
        }
        if (woken == WAIT_TIMEOUT) {
            if (!m_Buffered) {
                m_Device->Acquire();
                continue;
            }
        } else if (woken != WAIT_OBJECT_0) {
            return 0;
        } else if (!m_Buffered) {
            return 1;
        }
        // A notification for items an earlier drain already took brings none: wait again.
        if (const uint32_t reports = Drain()) return reports;
    }
}

void TWin32Mouse::Discard() {
    if (!m_Device || !m_Buffered) return;
    // No buffer and INFINITE items: DirectInput flushes what it holds.
    DWORD items = INFINITE;
    m_Device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &items, 0);
    m_HaveSequence = false;
    m_Overflowed = false;
    if (m_Event) ResetEvent(m_Event);
}

uint32_t TWin32Mouse::Drain() {
    DIDEVICEOBJECTDATA items[64];
    uint32_t reports = 0;
    bool reacquired = false;
    for (;;) {
        DWORD taken = ARRAYSIZE(items);
        HRESULT result = m_Device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), items, &taken, 0);
        if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
            // The device was lost (a restart, a switch of desktops): take it again and go on.
            m_HaveSequence = false;
            if (reacquired || FAILED(m_Device->Acquire())) break;
            reacquired = true;
            continue;
        }
        if (FAILED(result)) break;
        if (result == DI_BUFFEROVERFLOW) m_Overflowed = true;
        // The items of one report (its axes and buttons) share a sequence number.
        for (DWORD i = 0; i < taken; ++i) {
            if (!m_HaveSequence || items[i].dwSequence != m_LastSequence) {
                ++reports;
                m_LastSequence = items[i].dwSequence;
                m_HaveSequence = true;
            }
        }
        if (taken < ARRAYSIZE(items)) break;
    }
    return reports;
}

bool TWin32Mouse::TakeOverflow() {
    const bool overflowed = m_Overflowed;
    m_Overflowed = false;
    return overflowed;
}

IMouseEvents::TStop TWin32Mouse::CreateStop() {
    return static_cast<TStop>(reinterpret_cast<uintptr_t>(CreateEventW(nullptr, TRUE, FALSE, nullptr)));
}

void TWin32Mouse::RaiseStop(TStop stop) {
    if (stop != 0) SetEvent(ToHandle(stop));
}

void TWin32Mouse::CloseStop(TStop stop) {
    if (stop != 0) CloseHandle(ToHandle(stop));
}
