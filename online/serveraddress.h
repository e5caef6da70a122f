// Where the program finds its web server: the maker's host, or the one a player names in the
// settings file to use a score server of their own.
#pragma once

#include <string>

namespace serveraddress {

// The host the program talks to when the settings name none.
std::string defaultHost();

// The base address ("http://host" or "http://host:port", no closing "/") for a text written as
// "host", "host:port", "http://host:port" or "https://host:port"; empty when the text is none
// of these.
std::string parse(const std::string& text);

// The server named in the settings file, or an empty text for the maker's. A text that does not
// parse is passed over, so the program keeps using the maker's server.
void setConfigured(const std::string& text);

// The base address every online request is built on, without a closing "/".
std::string baseUrl();

} // namespace serveraddress
