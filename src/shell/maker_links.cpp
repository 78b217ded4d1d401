#include "shell/maker_links.h"

QString MakerHomepage() {
    return QStringLiteral(TRIGONET_HOMEPAGE);
}

QString MakerMail() {
    return QStringLiteral(TRIGONET_MAIL);
}
