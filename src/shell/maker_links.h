#pragma once

#include <QString>

// The maker's addresses, chosen when the game is built (TRIGONET_HOMEPAGE,
// TRIGONET_MAIL); both default to addresses under example.org.
QString MakerHomepage();
QString MakerMail();
