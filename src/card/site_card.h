#pragma once

#include <QDate>
#include <QString>

#include "files/names_file.h"
#include "image/image.h"

namespace v5 {

// The site card, for the customer and the monitoring station: the site's data, the modules by slot,
// the loops, zones, partitions, keys, relays, indicators, communication modules and sounders, in the
// words of the panes and with the installer's names, as one HTML document of tables. Every text from
// the names or the path is escaped. `settingsPath` is the settings file the configuration belongs
// to; empty when it was never read from or written to one.
QString siteCardHtml(const Image& image, const SiteNames& names, const QString& settingsPath,
                     const QDate& date);

}  // namespace v5
