// The engine: the one object behind the flat C interface. It owns the
// configuration, the object tree, the codec and the layers below it, and
// answers the exported calls; the exports only forward to it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "codec/error_state.h"
#include "codec/stmf.h"
#include "datalink/data_link_layer.h"
#include "dynobj/dyn_obj_table.h"
#include "engine/ini_file.h"
#include "field/error_injection.h"
#include "field/field_device_settings.h"
#include "ppp/ppp.h"
#include "quorvan.h"
#include "transport/outstanding_requests.h"
#include "transport/receiver_thread.h"
#include "transport/sp_ovr.h"
#include "transport/ta_receiver.h"
#include "transport/ta_sender.h"
#include "tree/iso_tree.h"
#include "tree/random_source.h"

class Quorvan {
public:
    Quorvan();
    // Stops the receiver thread and closes the port first; the members then
    // go in reverse order, the configuration (which saves itself) last.
    ~Quorvan();
    Quorvan(const Quorvan&) = delete;
    Quorvan& operator=(const Quorvan&) = delete;

    // The start-up sequence of every Init. A port name, when given, takes the
    // configured port's place (with the baud when it is not 0); an empty one
    // opens no port. 0, or -1 when the serial port cannot be opened.
    int32_t Init(int32_t role, const char* port, uint16_t baud);

    int32_t CompileMIB(const char* mib_file, char* output_name, const char* error_file, int32_t compile_flag);
    std::optional<std::string> compile_error() const;
    int32_t WriteTreeFiles();

    int32_t GetNodeInfo(const char* name, Node_Info& info) const;
    void GetNodeObjects(const char* name, char** objects) const;
    int32_t GetNextInstance(const char* name, char** next) const;
    int32_t GetObjectIndex(const char* name, uint8_t* count, char** names, uint16_t* counts) const;
    int32_t SetInstanceValue(const char* name, const char* value);
    int32_t GetTreeListing(char** listing) const;
    int32_t GetDynObjList(int32_t number, char* names, char* owners, char* values, uint8_t* syntaxes,
                          int32_t* count) const;

    int32_t StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status);
    void SetReceiverHandle(void* handle) { receiver_handle_ = handle; }

    int32_t EncodeData(char** english, Message_Request& request, Encoded_Frame& first, QV_EditCallback edit,
                       const char* text1, const char* text2, int32_t* frame_count, uint8_t keep);
    int32_t SendData(Message_Request& request, QV_DisplayCallback display, QV_EditCallback edit, uint8_t keep);
    int32_t SendMsg(const uint8_t* buffer, uint16_t length);
    int32_t GetError(int32_t request_id, char** message, int32_t* status, int32_t* index) const;
    int32_t ClearErrorState(int32_t request_id) { return error_states_.clear_oldest(request_id) ? 0 : -1; }
    int32_t GetResponseValue(int32_t request_id, char** value) const;

    int32_t SetParams(uint16_t baud, const char* port, int32_t time_out);
    void GetParams(uint16_t* baud, char* port, uint16_t* time_out) const;
    int32_t SetPortBaud(const char* port, uint16_t baud);
    int32_t GetPort() const { return serial_port_->handle(); }
    void GetModes(int32_t* type, int32_t* role) const;
    void SetModes(int32_t type, int32_t role);
    void SetFieldDeviceErrorMode(const Error_Mode& mode) { error_injection_->set(mode); }
    Error_Mode GetFieldDeviceErrorMode() const { return error_injection_->mode(); }

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
    int32_t GetConnectionState() const { return connection_state_.load(); }

    void SetAppInstance(void* instance) { app_instance_ = instance; }
    void* GetAppInstance() const { return app_instance_; }

    IniFile& ini() { return *ini_; }
    ISO_Tree& tree() { return tree_; }
    const STMF& stmf() const { return stmf_; }

private:
    // Opens the serial port with the configured name and baud, 8N1, and
    // makes it ready; false when it cannot be had.
    bool open_serial_port(const std::string& name, uint16_t baud);

    // Members in the order of construction.
    std::unique_ptr<IniFile> ini_;
    ISO_Tree tree_;
    Dyn_Obj_Table dyn_obj_table_;
    Outstanding_Requests outstanding_;
    Random_Source random_;  // the error injection's choices, seeded at every Init
    std::unique_ptr<SP_Ovr> serial_port_;
    std::unique_ptr<Data_Link_Layer> data_link_;
    std::unique_ptr<TA_Sender> sender_;
    std::unique_ptr<NTCIP_Station> station_;
    std::unique_ptr<Field_Device_Settings> field_settings_;
    std::unique_ptr<ErrorInjection> error_injection_;
    std::unique_ptr<TA_Receiver> receiver_;
    std::unique_ptr<BCCThread_TA_Receiver> receiver_thread_;
    std::unique_ptr<PPP> ppp_;  // used under the link lock
    STMF stmf_;
    Error_State_List error_states_;
    void* receiver_handle_ = nullptr;
    void* app_instance_ = nullptr;
    std::atomic<int32_t> connection_state_{2};  // 1 connected (dial-up), 2 not connected

    mutable std::mutex compile_error_mutex_;
    std::optional<std::string> compile_error_;
};

// The device of a port name: "COM1" .. "COMn" are /dev/ttyS0 .. /dev/ttyS(n-1);
// any other name is a device path.
std::string device_of_port(const std::string& name);
