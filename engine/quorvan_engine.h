// The engine: the one object behind the flat C interface. It wires the
// configuration, the MIB (tree, dynamic objects, codec), the request book
// (outstanding requests and their outcomes) and the line (port, framers,
// field device, receiver thread), and answers the exported calls, turning
// the C records into the engine's values and back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/ini_file.h"
#include "engine/line.h"
#include "engine/mib.h"
#include "engine/request_book.h"
#include "ppp/lcp_options.h"
#include "quorvan.h"

class Quorvan {
public:
    Quorvan();
    // The line goes first (its thread stops and its port closes), the
    // configuration (which saves itself) last.
    ~Quorvan();
    Quorvan(const Quorvan&) = delete;
    Quorvan& operator=(const Quorvan&) = delete;

    // The start-up sequence of every Init. A port name, when given, takes the
    // configured port's place (with the baud when it is not 0); an empty one
    // opens no port. 0, or -1 when the serial port cannot be opened.
    int32_t Init(int32_t role, const char* port, uint16_t baud);

    int32_t CompileMIB(const char* mib_file, char* output_name, const char* error_file, int32_t compile_flag) {
        // The requests still waiting name objects of the tree being replaced.
        book_.outstanding().clear();
        return mib_.compile(mib_file, output_name, error_file, compile_flag);
    }
    int32_t RunMIBCompiler(const char* mib_file, const char* output_file, const char* error_file) {
        return mib_.run_compiler(mib_file, output_file, error_file);
    }
    std::optional<std::string> compile_error() const { return mib_.compile_error(); }
    std::optional<std::string> port_error() const { return line_.port_error(); }
    int32_t WriteTreeFiles() { return mib_.write_tree_files(); }

    int32_t GetNodeInfo(const char* name, Node_Info& info) const;
    void GetNodeObjects(const char* name, char** objects) const;
    int32_t GetNextInstance(const char* name, char** next) const;
    int32_t GetObjectIndex(const char* name, uint8_t* count, char** names, uint16_t* counts) const;
    int32_t SetInstanceValue(const char* name, const char* value) { return mib_.set_instance_value(name, value); }
    int32_t GetTreeListing(char** listing) const;
    int32_t GetDynObjList(int32_t number, char* names, char* owners, char* values, uint8_t* syntaxes,
                          int32_t* count) const;

    // Writes a dynamic object's definition into the device (dyn_obj_sync.cpp).
    int32_t DynObjSync(Message_Request& request, QV_DisplayCallback display, QV_EditCallback edit);
    // The saved definitions of the working directory (dyn_obj_files.cpp).
    int32_t DynObjKeepDefinition(const Message_Request& request);
    int32_t DynObjLoadFile(const char* path, QV_DisplayCallback display, QV_EditCallback edit);
    int32_t DynObjSaveFile(const char* path);

    int32_t StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status);
    void SetReceiverHandle(void* handle) { line_.set_receiver_handle(handle); }

    int32_t EncodeData(char** english, Message_Request& request, Encoded_Frame& first, QV_EditCallback edit,
                       const char* text1, const char* text2, int32_t* frame_count, uint8_t keep);
    int32_t SendData(Message_Request& request, QV_DisplayCallback display, QV_EditCallback edit, uint8_t keep);
    int32_t SendMsg(const uint8_t* buffer, uint16_t length);
    int32_t GetError(int32_t request_id, char** message, int32_t* status, int32_t* index) const;
    int32_t ClearErrorState(int32_t request_id) { return book_.clear_oldest(request_id) ? 0 : -1; }
    int32_t GetResponseValue(int32_t request_id, char** value) const;

    int32_t SetParams(uint16_t baud, const char* port, int32_t time_out) {
        return set_params(baud, port, time_out, IniFile::Keep::saved);
    }
    int32_t SetRunParams(uint16_t baud, const char* port, int32_t time_out) {
        return set_params(baud, port, time_out, IniFile::Keep::this_run);
    }
    void GetParams(uint16_t* baud, char* port, uint16_t* time_out) const;
    int32_t SetPortBaud(const char* port, uint16_t baud);
    int32_t GetPort() const { return line_.port_handle(); }
    void GetModes(int32_t* type, int32_t* role) const;
    void SetModes(int32_t type, int32_t role);
    void SetFieldDeviceErrorMode(const Error_Mode& mode) { line_.set_error_mode(mode); }
    Error_Mode GetFieldDeviceErrorMode() const { return line_.error_mode(); }
    void SetFieldCommunity(const char* community) { line_.set_field_community(community != nullptr ? community : ""); }

    // The PPP link (engine/ppp_calls.cpp).
    int32_t StartPPP(QV_DisplayCallback display);
    int32_t Authenticate(QV_DisplayCallback display);
    int32_t DoPPPEventT(const char* event, QV_DisplayCallback display);
    int32_t SetPPPEvent(int32_t event);
    int32_t SetPPPEventT(const char* event);
    int32_t SendLCPRawMessage(const char* name, char** frame, uint8_t identifier, QV_DisplayCallback display);
    int32_t GetLinkState() const;
    int32_t GetLinkEvent() const;
    int32_t GetLinkPhase() const;
    Lcp_Options GetLCPOptions() const;
    void SetLCPOptions(const Lcp_Options& options);
    void SetPPPInfo(const char* info);
    std::string GetPPPInfo();
    void SetPPPRestartTimer(uint32_t milliseconds);
    void APISetLinkEvent() { line_.link_event(); }
    int32_t GetConnectionState() const { return static_cast<int32_t>(line_.connection_state()); }
    // The framing of a serial line for this run (1 PMPP, 2 PPP); -1 for
    // another value. Taken when the receiver thread starts.
    int32_t SetLinkType(int32_t link);
    int32_t GetLinkType() const { return static_cast<int32_t>(serial_link_); }

    // Dial-up on the modem (engine/modem_calls.cpp).
    int32_t SetModemComm(const char* number);
    std::string GetModemComm() const { return line_.modem().number(); }
    int32_t DialupConnect();
    int32_t DialupHangUp();
    void SetModemNotice(QV_ModemNoticeCallback notice);
    void SetModemOptions(const char* init_string, const char* dials_itself, int32_t wait_step_ms,
                         int32_t connect_waits, int32_t answer_waits, int32_t guard_time_ms);

    // Calls waiting inside the engine (GetError) return at once: it is about
    // to be destroyed.
    void cancel_waits() {
        book_.cancel_waits();
        line_.cancel_modem();
    }

    void SetAppInstance(void* instance) { app_instance_ = instance; }
    void* GetAppInstance() const { return app_instance_; }

private:
    // A request encoded into its frames, registered in the book; the English
    // text is appended to trace. Throws the codec's and the data link's
    // exceptions, having withdrawn the request.
    std::vector<Sent_Frame> encode_request(Request_Record& record, bool keep, std::string& trace);
    // Reopens the port, then stores the settings, saved or for this run.
    int32_t set_params(uint16_t baud, const char* port, int32_t time_out, IniFile::Keep keep);
    Connection_Type connection_type() const { return static_cast<Connection_Type>(ini_->connection_type()); }
    // The link the line's messages are framed for.
    Link_Type link_type() const {
        const Connection_Type type = connection_type();
        return type == Connection_Type::serial ? serial_link_ : line_.link(type);
    }
    // Hands the receiver thread the settings it works with, after every change.
    void settings_changed();

    // Members in the order of construction.
    std::unique_ptr<IniFile> ini_;
    Mib mib_;
    Request_Book book_;
    Line line_{book_};
    void* app_instance_ = nullptr;
    Link_Type serial_link_ = Link_Type::pmpp;
};

// The device of a port name: "COM1" .. "COMn" are /dev/ttyS0 .. /dev/ttyS(n-1);
// any other name is a device path.
std::string device_of_port(const std::string& name);
