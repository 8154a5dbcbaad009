#pragma once
// The instrument's command line: received bytes are cut into commands at CR
// (or LF); each command is executed on the parameters and may produce a
// reply. A line holding only "#" (the attention sequence sends two) stops
// the pinging until "#go" resumes it.

#include <string>
#include <string_view>
#include <vector>

#include "InstrumentParams.h"

namespace sim {

class CommandInterpreter {
public:
    explicit CommandInterpreter(InstrumentParams& params) : m_params(params) {}

    // Takes received bytes in any chunking; returns the reply text to send
    // (CR LF lines, possibly empty).
    std::string Feed(std::string_view bytes);

    // False between an attention line and the next "#go".
    bool Pinging() const { return m_pinging; }

    // Every command executed so far, without its terminator.
    const std::vector<std::string>& Executed() const { return m_executed; }

    // The reply to "#info".
    std::string InfoText() const;

    static constexpr size_t kMaxLine = 200;

private:
    std::string Execute(const std::string& line);
    std::string SetValue(const std::string& name, const std::string& argument);

    InstrumentParams& m_params;
    std::string m_line;
    bool m_overlong = false;
    bool m_pinging = true;
    std::vector<std::string> m_executed;
};

}  // namespace sim
