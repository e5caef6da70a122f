// Who makes the program, and where it lives on the web.
#pragma once

// The maker's web site, without a scheme: the About window shows it as its link and opens it
// (the main window's logo does too), and the update messages name it.
constexpr char kMakerSite[] = "www.velborsoftware.com";

// The maker's name as the credit lines and greetings write it.
constexpr char kMakerName[] = "Velbor Software";
