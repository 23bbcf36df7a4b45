#pragma once

#include <functional>
#include <string>

// The show's end of the registered window message (app/WeatherUpdateBroadcast.h):
// the message's identifier, and a listener on the show's top-level window.
class WeatherUpdateMessage {
public:
    // Registers the message (interns its atom) once per process; on failure
    // registrationError() says why and no message will ever match.
    WeatherUpdateMessage();
    ~WeatherUpdateMessage();
    WeatherUpdateMessage(const WeatherUpdateMessage&) = delete;
    WeatherUpdateMessage& operator=(const WeatherUpdateMessage&) = delete;

    bool isRegistered() const { return registeredMessage() != 0; }
    // The system's text for a failed registration; empty otherwise.
    const std::string& registrationError() const { return m_csError; }

    // Marks the X window of the toolkit's realised top-level widget as a
    // show and calls onMessage (on the user-interface thread) each time the
    // message reaches it. False when there is nothing to listen on.
    bool listen(void* pGtkWidget, std::function<void()> onMessage);

    // The identifier (the atom), 0 until registered or when that failed.
    static unsigned long registeredMessage();

private:
    void stopListening();

    std::string m_csError;
    void* m_pGdkWindow = nullptr; // not owned
    std::function<void()> m_onMessage;
};
