#pragma once

#include <QString>

// The texts the record and defaults commands show or run, written once.
namespace StorageTexts {

inline QString appName() { return QStringLiteral("Kestrova"); }

inline QString newRecordScript() { return QStringLiteral("newRecord();"); }
inline QString loadRecordScript() { return QStringLiteral("loadRecord(document.getElementById('nativeBuffer').value);"); }
inline QString collectRecordScript() { return QStringLiteral("document.getElementById('nativeBuffer').value=collectRecord();"); }
inline QString recordSavedToast() { return QStringLiteral("showToast('Occupational record saved.');"); }
inline QString collectDefaultsScript() { return QStringLiteral("document.getElementById('nativeBuffer').value=collectDefaults();"); }
inline QString applyDefaultsScript() { return QStringLiteral("applyPartial(document.getElementById('nativeBuffer').value);"); }
inline QString defaultsSavedToast() { return QStringLiteral("showToast('Clinic defaults saved.');"); }
inline QString defaultsAppliedToast() { return QStringLiteral("showToast('Clinic defaults applied.');"); }

inline QString recordExtension() { return QStringLiteral("kiv"); }
inline QString initialFileName() { return QStringLiteral("occupational-record.kiv"); }
inline QString openFilter() { return QStringLiteral("Kestrova Record (*.kiv);;JSON Files (*.json);;All Files (*)"); }
inline QString saveFilter() { return QStringLiteral("Kestrova Record (*.kiv)"); }

inline QString openFailed() { return QStringLiteral("Could not open the selected occupational-health record."); }
inline QString collectFailed() { return QStringLiteral("Could not collect the occupational-health information from the form."); }
inline QString saveFailed() { return QStringLiteral("Could not save the occupational-health record."); }
inline QString defaultsSaveFailed() { return QStringLiteral("Could not save the clinic/provider/employer defaults."); }

} // namespace StorageTexts
