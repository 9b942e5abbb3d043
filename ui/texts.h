// Every text the windows show of their own: captions, menu entries, labels
// and message boxes. Protocol texts never live here: they come from the
// engine through the display callback.
#pragma once

namespace texts {
inline constexpr const char* kApplication = "Quorvan";
inline constexpr const char* kCentralCaption = "Quorvan Central Station Mode";
inline constexpr const char* kFieldCaption = "Quorvan Field Device Emulation Mode";
inline constexpr const char* kCentral = "Central";
inline constexpr const char* kField = "Field";

inline constexpr const char* kWarnings = "Warnings!";
inline constexpr const char* kError = "Error!";
inline constexpr const char* kFatalError = "Fatal Error!";

// Start-up.
inline constexpr const char* kPortNotOpened = "Could not open COM port! Bye...";
inline constexpr const char* kChoosePort = "Serial Connection";
inline constexpr const char* kChoosePortLabel = "Port (for example /dev/ttyUSB0):";
inline constexpr const char* kMibCompilerFailed =
    "There was an error in the MIB compiler.  No MIB loaded.  See 'Errors.out' for details";
inline constexpr const char* kMibErrorTitle = "MIB Error !";
inline constexpr const char* kMibErrorLine1 = "Please look in the file \"Errors.out\" to";
inline constexpr const char* kMibErrorLine2 = "determine the source of the problem.";

// Call log lines.
inline constexpr const char* kCallingInit = "Now Calling Init()\n";
inline constexpr const char* kInitDone = "Init() is done! error= %1 \n";
inline constexpr const char* kCallingCompile = "Calling API-CompileMIB(). \n";
inline constexpr const char* kCompileDone = "API-CompileMIB() is done! \n";
inline constexpr const char* kGuiTreeDone = "GUITree is done! \n";
inline constexpr const char* kBuildingOidTable = "Now building OID table\n";
inline constexpr const char* kSendDataFailed = "Error in API SendData()! error= %1 \n";

// Main window.
inline constexpr const char* kLogChanged = "The log has changed. Do you want to save the changes?";
inline constexpr const char* kEditorCaption = "Editor - [%1]";
inline constexpr const char* kModem = "Modem";
inline constexpr const char* kConnected = "Connected";
inline constexpr const char* kDisconnected = "Disconnected";
inline constexpr const char* kUnknown = "Unknown";
inline constexpr const char* kObjectsMenu = "Objects";

// Object and field browsers.
inline constexpr const char* kNodeInfoFailed = "Error in API GetNodeInfo()!";
inline constexpr const char* kNotAnInstance = "Objects other than intances cannot be selected!";
inline constexpr const char* kAlreadySelected = "The selected object already exist!";
inline constexpr const char* kSelectToInsert = "Please select an item in the Selected Object box to be inserted!";
inline constexpr const char* kObjectIndexFailed = "Error calling GetObjectindex()!";
inline constexpr const char* kDecimal = "Decimal";
inline constexpr const char* kHexadecimal = "Hexadecimal";
inline constexpr const char* kAsciiString = "ASCII String";
inline constexpr const char* kObjectIdentifier = "Object Identifier";

// Send-message window.
inline constexpr const char* kSendMessage = "Send Message";
inline constexpr const char* kClassB = "Class B";
inline constexpr const char* kPoll = "POLL";
inline constexpr const char* kDialup = "Dialup";
inline constexpr const char* kDefaultCommunity = "Orchid";
inline constexpr const char* kNone = "NONE";
inline constexpr const char* kValuesNotSet = "Some values have not been set! Do you want to set the values?";
inline constexpr const char* kDynNotDefined = "The dynamic object has not been defined.";
inline constexpr const char* kNoObjectSelected = "No object is selected!";
inline constexpr const char* kSendFailed = "Error sending data!";
inline constexpr const char* kDynListFailed = "Error in API GetDynObjList()! The dyn obj is not defined!";
inline constexpr const char* kDynValuesCaption = "Set Values for Dynamic Object Number ";
inline constexpr const char* kMessageSaveFilter = "Message Files (*.msg)";
inline constexpr const char* kMessageLoadFilter = "Message Files (*.msg)";

// Byte-stream edit window.
inline constexpr const char* kEditByteStream = "Edit Byte Stream";
inline constexpr const char* kByteStreamFilter = "ByteStream Files (*.byt)";

// Macro windows.
inline constexpr const char* kMacroCaption = "MacroFm";
inline constexpr const char* kNoMacro = "Please specify the macro to run!";
inline constexpr const char* kUserInputCaption = "UserInput";
}  // namespace texts

namespace texts {
// Dynamic-object windows and the Tools menu.
inline constexpr const char* kDynTableCaption = "Dynamic Object Management Table";
inline constexpr const char* kDynBrowseCaption = "Browse";
inline constexpr const char* kDeleteDynObj = "Delete Current Dynamic Object";
inline constexpr const char* kDynSyncFailed = "Error in DynObjSync()!";
inline constexpr const char* kLoadDynTable = "Load Dynamic Object Table";
inline constexpr const char* kSaveDynTable = "Save Dynamic Object Table";
inline constexpr const char* kSyncDynTable = "Sync / View Dynamic Object Table";
inline constexpr const char* kDynOpenFilter = "Dynamic Object Files (*.dyn);;All Files (*.*)";
inline constexpr const char* kDynSaveFilter = "Dynamic Object Files (*.dyn);;All Files (*.*)";
inline constexpr const char* kDynSaveFailed = "Error in DynObjSaveFile()!";
}  // namespace texts

namespace texts {
// Tool window and the PPP options dialog.
inline constexpr const char* kToolCaption = "Tool - Options";
inline constexpr const char* kUninitialized = "uninitialized";
inline constexpr const char* kRestartForChanges = "You must quit and re-start Quorvan for the changes to take effect";
inline constexpr const char* kPortNotOpenedNamed = "The port %1 could not be opened.";
inline constexpr const char* kPortForms =
    "Port: a serial device (/dev/ttyS0, /dev/ttyUSB0; COM1 is /dev/ttyS0), or a network line:\n"
    "  udp:HOST:PORT        SNMP straight over UDP (a field device listens there; udp::PORT on every address)\n"
    "  tcp:HOST:PORT        PMPP frames over TCP, to a serial device server or a field device\n"
    "  tcp-listen::PORT     a field device that waits for a central station over TCP";
inline constexpr const char* kSerialConnection = "Serial";
inline constexpr const char* kModemConnection = "Modem";
inline constexpr const char* kNetworkConnection = "Network";
inline constexpr const char* kPppOptionsCaption = "PPP Configure Options";
inline constexpr const char* kNotADecimalNumber = "%1: \"%2\" is not a decimal number from 0 to 4294967295.";
}  // namespace texts
