#pragma once
// What the device link tells the user, in the program's own words.

#include <string_view>

namespace userdb::message {

inline constexpr std::string_view kCanNotOpenCom = "Can not Open COM";
inline constexpr std::string_view kNoUpdateMode = "Device can not into update mode,please try again";
inline constexpr std::string_view kNotResponding = "Device not responding, please try again";
inline constexpr std::string_view kDownloadFailed = "User database download failed, please try again";
inline constexpr std::string_view kHandshakeStatus = "Load user database from device ....";
inline constexpr std::string_view kEraseFlash = "Erase Falsh ..... wait please";
inline constexpr std::string_view kUpdatePagePrefix = "Update ";
inline constexpr std::string_view kUpdatePageSuffix = " page";
inline constexpr std::string_view kUploadSucceeded = "Update User Database successful";
inline constexpr std::string_view kUploadFailed = "Update User Database failed";
inline constexpr std::string_view kChecksumError = "Checksum error,please update again ... ";
inline constexpr std::string_view kReadingBack = "Reading the database back to check the write ....";
inline constexpr std::string_view kReadBackFailed =
    "The device confirmed the write, but could not be read back to check it.\r\n"
    "Your points are still here: write them again, or load the database from the device to see what it holds.";
inline constexpr std::string_view kReadBackDiffersPrefix =
    "The device confirmed the write, but gives back other bytes than were sent, first at ";
inline constexpr std::string_view kReadBackDiffersSuffix = ".\r\nYour points are still here: write them again.";
inline constexpr std::string_view kConfirmUpload = "Want to write User Database to Device ? ";
inline constexpr std::string_view kAutoScanFound = "Auto scan to COM ";
inline constexpr std::string_view kAutoScanNotFound = "Don't found device,Please choose com port by yourself";

}  // namespace userdb::message
