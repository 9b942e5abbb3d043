/*
 * quorvan.h - the flat C interface of the Quorvan NTCIP test station engine.
 *
 * libquorvan.so holds one engine object. Init creates it (or reuses it) and
 * Shutdown destroys it; every other call needs a preceding Init and answers
 * -1 (or the call's "not found" code) without one.
 *
 * Memory: every text the engine hands to a caller - through a char ** out
 * parameter or in a Node_Info field - is allocated with malloc and belongs to
 * the caller, who releases it with free(). Texts and buffers the caller passes
 * in stay the caller's.
 *
 * Files: the engine reads and writes its files (NQuorvan.ini, Mibi.out,
 * Mibint.out, Mibsub.out, TreeCfg.ini, quorvan.log, inst.log and the tree
 * files) in the current working directory of the process.
 *
 * Threads: the calls may be made from several threads; the object tree is
 * guarded inside the engine.
 */
#ifndef QUORVAN_H
#define QUORVAN_H

#include <stdint.h>

#if defined(__GNUC__)
#define QV_API __attribute__((visibility("default")))
#else
#define QV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- shared codes ------------------------------------------------------ */

#define QV_ROLE_CENTRAL 1
#define QV_ROLE_FIELD 2

#define QV_CONNECTION_SERIAL 1
#define QV_CONNECTION_MODEM 2
#define QV_CONNECTION_NETWORK 3

/* Value type codes: the BER tag numbers, plus 22 for printable text. */
#define QV_TYPE_INTEGER 2
#define QV_TYPE_OCTET_STRING 4
#define QV_TYPE_OBJECT_IDENTIFIER 6
#define QV_TYPE_DISPLAY_TEXT 22

/* Slots of a Message_Request. */
#define QV_MAX_OBJECTS 26

/* Size of the frame area of an Encoded_Frame. */
#define QV_FRAME_SIZE 1500

/* GetObjectIndex: the caller's name buffer holds at least this many bytes
 * (the engine never writes beyond it, terminator included), and the counts
 * array at least QV_MAX_INDEX_LEVELS entries. */
#define QV_INDEX_NAMES_SIZE 1024
#define QV_MAX_INDEX_LEVELS 16

/* GetParams: the port name buffer holds at least this many bytes. */
#define QV_PORT_NAME_SIZE 256

/* GetDynObjList: each of the three text buffers holds at least this many
 * bytes, the value types array at least QV_MAX_DYN_ENTRIES entries. */
#define QV_DYN_TEXT_SIZE 8192
#define QV_MAX_DYN_ENTRIES 255

/* ---- records ------------------------------------------------------------ */

/* A request as a caller describes it to the send calls. */
typedef struct Message_Request {
    char *protocol;   /* "POLL", "SNMP" or "STMP" */
    char *class_name; /* "Class B" or other (e.g. "POLL") */
    char *community;  /* SNMP community name */
    int32_t request_id; /* written by the engine */
    int32_t address;    /* station (drop) address of the target */
    int32_t group_address; /* non-zero: group address */
    int32_t get;
    int32_t get_next;
    int32_t set;
    int32_t type4;      /* a further message-type flag */
    int32_t type5;      /* "Set w/o Reply"; the field role's answers */
    int32_t dynamic_object; /* non-zero: encode as an STMP dynamic object */
    int32_t normal_snmp;
    int32_t dyn_obj_number; /* 1..13 with dynamic_object, else 0 */
    int32_t reserved;
    int32_t edit_byte_stream; /* offer each frame to the edit callback */
    int32_t object_count;     /* at most QV_MAX_OBJECTS */
    char *object_names[QV_MAX_OBJECTS];
    char *values[QV_MAX_OBJECTS];
    uint8_t value_types[QV_MAX_OBJECTS]; /* QV_TYPE_* codes */
} Message_Request;

/* What GetNodeInfo reports about a node. Every char * field is newly
 * allocated by the engine (empty text where it does not apply). */
typedef struct Node_Info {
    char *syntax;
    char *access;
    char *status;
    char *further;
    char *oid;      /* dotted numeric OID, root first */
    char *value;    /* current value of an instance, rendered as text */
    uint8_t value_type; /* QV_TYPE_* code of that rendering */
    char instance[23];  /* the instance text (its time stamp), terminated */
    char *name;
    int32_t neg_lower;
    int32_t neg_upper;
    int32_t lower;
    int32_t upper;
} Node_Info;

/* One frame on the wire with the positions of its fields; the seventh
 * position is the index of the frame's last byte. */
typedef struct Encoded_Frame {
    uint8_t frame[QV_FRAME_SIZE];
    uint16_t positions[7];
    struct Encoded_Frame *next;
} Encoded_Frame;

/* ---- callbacks ---------------------------------------------------------- */

/* Receives one zero-terminated line-activity text. */
typedef int32_t (*QV_DisplayCallback)(const char *text);

/* Offered each encoded frame, before it is sent, when the request asks for
 * its byte stream to be edited; may change the frame in place. */
typedef void (*QV_EditCallback)(Encoded_Frame *frame, const char *text1, const char *text2);

/* Connection type, connection state, PPP link state, PPP link phase, port
 * name or "Modem", three further values, seconds before the outstanding
 * request times out. */
typedef void (*QV_StatusCallback)(int32_t connection_type,
                                  int32_t connection_state,
                                  int32_t link_state, int32_t link_phase,
                                  const char *text, int32_t value1,
                                  int32_t value2, int32_t value3,
                                  int32_t seconds_remaining);

/* Asks the user for a text (a macro script's inuser): stores in *answer a
 * text allocated with malloc, which the engine frees, or NULL when the user
 * gave none; returns 0. */
typedef int32_t (*QV_UserInputCallback)(char **answer, const char *prompt);

/* ---- life cycle --------------------------------------------------------- */

/* Creates the engine if there is none, loads NQuorvan.ini and applies the
 * role (1 central, 2 field; any other value keeps the configured role).
 * With a serial connection the configured port is opened (8 data bits, no
 * parity, 1 stop bit). port NULL: the configured port; an empty text: no
 * port is opened (for callers that do not use the line); any other text
 * replaces the configured port (and makes the connection serial), with baud
 * when it is not 0. Names "COM1" .. "COMn" stand for /dev/ttyS0 ..
 * /dev/ttyS(n-1), any other name is a device path. A network port text
 * makes the connection network instead: "udp:HOST:PORT" (SNMP straight over
 * UDP; a field device listens on HOST:PORT, "udp::PORT" on every address),
 * "tcp:HOST:PORT" (PMPP frames over TCP) or "tcp-listen::PORT" (a field
 * device a central station connects to). The buffer, callbacks and the last
 * value are accepted for call compatibility. Returns 0, or -1 when the port
 * cannot be opened (the engine is there all the same). */
QV_API int32_t Init(const char *port, uint16_t baud, char *buffer,
                    int32_t role, QV_DisplayCallback display,
                    QV_StatusCallback status, int32_t value);

/* Stops and destroys the engine; writes NQuorvan.ini. Returns 0. Calls in
 * progress on other threads are waited for (a GetError waiting for an
 * outcome returns -1 at once); calls made meanwhile answer as without an
 * engine. From inside one of the engine's callbacks it does nothing and
 * returns -1. */
QV_API int32_t Shutdown(void);

/* Starts the receiver thread: it reads the line, matches responses to the
 * requests sent (central role) or answers requests (field role), and
 * delivers every line-activity text to display and the connection status
 * to status (either may be NULL). Returns 0, or -1 when the thread cannot
 * be started. */
QV_API int32_t StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status);

/* Stores the receiver thread's handle (StartReceiverThread does it). */
QV_API void SetReceiverHandle(void *handle);

/* Compiles and loads the object tree. With a non-zero compile_flag the MIB
 * compiler first compiles mib_file (normally "Mibi", which includes the
 * modules) into the file named in output_name (normally "Mibi.out"; NULL or
 * empty: "Mibi.out"), writing its findings to error_file (NULL or empty:
 * "Errors.out"); when it fails, CompileMIB returns its result (10 input not
 * opened, 2 output not created, 3 error file not created, 4 scanner
 * initialisation, 5 parser gave up, 6 errors in the modules) and loads
 * nothing. Then the substitution pass runs twice over the output file into
 * "Mibint.out" and "Mibsub.out", the tree is loaded from "Mibsub.out" and
 * the instances are created with "TreeCfg.ini". output_name, when not NULL,
 * must be a writable buffer of at least 11 bytes: it receives "Mibint.out".
 * Returns 0 on success, the compiler's result, -1 when the substitution
 * pass failed (GetCompileError names the file it could not read or write,
 * and why), 1 when the load, the instance creation or the dynamic
 * objects raised an error (GetCompileError gives its text; a MIB without
 * the dynamic object definition table fails with "Load of Dynamic Object
 * failed!"). */
QV_API int32_t CompileMIB(const char *mib_file, char *output_name,
                          const char *error_file, int32_t compile_flag);

/* Runs the MIB compiler alone: mib_file into the Extended Mosy output_file,
 * findings into error_file. Returns the compiler's result (0, 10, 2, 3, 4,
 * 5 or 6, as for CompileMIB), or -1 without an engine. Options set by
 * directives stay set for the engine's next compile. */
QV_API int32_t RunMIBCompiler(const char *mib_file, const char *output_file,
                              const char *error_file);

/* The text of the tree error that ended the last CompileMIB, or NULL when
 * it ended without one. Newly allocated. */
QV_API char *GetCompileError(void);

/* Writes the tree files for the browsers: "Mibi2.out" (a copy of
 * "Mibi.out"), "Mibfinal.out" and "isotree.txt". Returns 0, or -1 when
 * "Mibi.out" cannot be copied or read. */
QV_API int32_t WriteTreeFiles(void);

QV_API void SetAppInstance(void *instance);
QV_API void *GetAppInstance(void);

/* ---- object tree -------------------------------------------------------- */

/* Fills *info for a node given by name or by dotted OID (from the root).
 * Returns 0 for an instance or another found node, 2 for a "Leaf" or
 * "Group", -1 when nothing is found (info is then left untouched). */
QV_API int32_t GetNodeInfo(const char *name, Node_Info *info);

/* Stores in *objects the names of all instances below the node, separated
 * by "\n"; stores nothing when the name is unknown or the node has no
 * children. */
QV_API void GetNodeObjects(const char *name, char **objects);

/* Stores in *next the name of the next instance after the node (depth
 * first) and returns 0; -1 when there is none or the name is unknown. */
QV_API int32_t GetNextInstance(const char *name, char **next);

/* For a column (an object whose parent is a "Row"): stores the number of
 * index variables in *count, appends each index variable's name and "\n"
 * to the text in *names (a caller buffer of QV_INDEX_NAMES_SIZE bytes) and
 * stores in counts[i] the number of instance nodes at index level i.
 * Returns 0, or -1 when the name is unknown or not a column. */
QV_API int32_t GetObjectIndex(const char *name, uint8_t *count, char **names,
                              uint16_t *counts);

/* Sets an instance's value from text. Returns 2 when the name is unknown;
 * for an instance 0 (stored), 3 (bad value) or 4 (read-only); 0 and no
 * change for any other node. The mode makes no difference. */
QV_API int32_t SetInstanceValue(const char *name, const char *value,
                                int32_t mode);

/* Stores in *listing the loaded tree, one node per line, indented by two
 * blanks per level: kind, name, dotted OID and, for object types, the
 * syntax in brackets and the access. Returns 0, or -1 when the tree is
 * empty. */
QV_API int32_t GetTreeListing(char **listing);

/* ---- dynamic objects ---------------------------------------------------- */

/* Lists the rows in use of dynamic object `number` (1..13) as the tree holds
 * them: names receives the names of its variables (each followed by "\n"
 * but the last), owners each row's owner and "\n", values each variable's
 * current value as text and "\n", syntaxes[k] the value type of row k + 1,
 * *count the number of rows. The buffers are the caller's, of the sizes
 * above. Returns the count, or -1 when the number is outside 1..13, a
 * pointer is NULL or a variable names no object of the tree. */
/* Writes the definition of dynamic object request->dyn_obj_number (1..13)
 * into the field device: five SNMP Sets (status 4; status 2, variables,
 * owners, status 1 for each of the object_count objects named in
 * object_names, the owner text being values[0]), a pause of one second
 * between them (QUORVAN_DYNOBJ_PAUSE_MS in the environment shortens it).
 * -1 with nothing sent for an empty community, address 0, a number outside
 * 1..13 or an object count outside 1..QV_MAX_OBJECTS; -1 after the first
 * two Sets when an object name is not in the tree; else 0. The responses
 * are not waited for. On return the record's request id, flags and count
 * are those of the last Set, whose outcome is kept for GetError (release it
 * with ClearErrorState); its texts are the caller's, unchanged. */
QV_API int32_t DynObjSync(Message_Request *request, QV_DisplayCallback display, QV_EditCallback edit);

/* The saved dynamic object definitions of the working directory (its file
 * DynObjTable.dyn, in the ".dyn" format: CR LF lines; per record the number,
 * the owner or "!Owner", the community or "!CommName", the address, the
 * group flag, the edit flag, the count N and N object names, then an empty
 * line; at most 13 records in ascending order; owner and community at most
 * 49 characters, names at most 31, at most 26 names).
 * DynObjKeepDefinition: keeps the definition a request describes (as for
 * DynObjSync; values[0] the owner) as the saved one of its number; 0 or -1
 * (a field past its limit: nothing kept).
 * DynObjLoadFile: reads a ".dyn" file (a file the format refuses: -1, its
 * reason shown through display, nothing sent), keeps each record as the
 * saved definition of its number and writes it into the device with
 * DynObjSync, in order, the owner rows set to the empty text; a refused
 * record shows "Error in DynObjSync()!" and the next one goes on. Returns
 * the number of records DynObjSync refused.
 * DynObjSaveFile: writes the saved definitions to a ".dyn" file; 0 or -1. */
QV_API int32_t DynObjKeepDefinition(const Message_Request *request);
QV_API int32_t DynObjLoadFile(const char *path, QV_DisplayCallback display, QV_EditCallback edit);
QV_API int32_t DynObjSaveFile(const char *path);

QV_API int32_t GetDynObjList(int32_t number, char *names, char *owners, char *values, uint8_t *syntaxes,
                             int32_t *count);

/* ---- send and response calls ------------------------------------------ */

/* Builds the request, assigns it the next request id (written into
 * request->request_id), encodes it into frames (the first in *first, any
 * further ones allocated with malloc and linked by next: the caller frees
 * them) and, when request->edit_byte_stream is set, offers each frame to
 * edit with text1 and text2. *english receives the English text of the
 * encoding (newly allocated). keep: 1 keeps the request's outcome after it
 * is known, for GetError. Returns 0, or -1 when the request cannot be
 * encoded (english then ends with the reason). */
QV_API int32_t EncodeData(char **english, Message_Request *request, Encoded_Frame *first,
                          QV_DisplayCallback display, QV_EditCallback edit, const char *text1,
                          const char *text2, int32_t *frame_count, uint8_t keep);

/* Encodes and sends a request; display receives its English text and the
 * frames as sent. Returns the request id, or -1 when it cannot be encoded
 * (nothing is sent; display receives the English text, which ends with the
 * reason) or the line refused a frame ("Error sending message" is
 * displayed; the request has no outcome to wait for). */
QV_API int32_t SendData(Message_Request *request, QV_DisplayCallback display, QV_EditCallback edit,
                        uint8_t keep);

/* Writes bytes to the line as they are. Returns 0, or -1 when the write
 * failed. */
QV_API int32_t SendMsg(const uint8_t *buffer, uint16_t length);

/* The outcome of a request: waits for it as long as the configured time-out
 * and answers as soon as it is known. Returns 0 (no error), -1 (no outcome
 * known) or the sum of the error flags; *message receives the flags' texts
 * and the SNMP error (newly allocated, possibly empty), *status and *index
 * the SNMP error status and index of the response. A request that waited on
 * a line that hung up ends at once with 0x20000 (line lost); one that got no
 * answer ends with 0x10 at its time-out, whatever else the line brought. */
QV_API int32_t GetError(int32_t request_id, char **message, int32_t *status, int32_t *index);

/* Removes the oldest outcome when it is this request's. Returns 0, or -1. */
QV_API int32_t ClearErrorState(int32_t request_id);

/* The value a request's response brought (for a Get-next: the identifier
 * of the next instance), newly allocated. Returns 0, or -1 when no outcome
 * of that request is kept. */
QV_API int32_t GetResponseValue(int32_t request_id, char **value);

/* Stores in *result the frame check sequence of PMPP (the FCS-16 of
 * RFC 1662, complemented) over the length bytes of buffer, as a 16-bit value
 * whose high byte is the first FCS octet on the line: "123456789" gives
 * 0x6E90; a length of 0 gives 0x0000. Returns 0, or -1 when result is NULL,
 * buffer is NULL with a length above 0, or there is no engine. */
QV_API int32_t CalcCrc(const uint8_t *buffer, uint16_t length,
                       uint16_t *result);

/* ---- connection settings ------------------------------------------------- */

/* Reopens the serial port with the name and baud (8 data bits, no parity,
 * 1 stop bit), then stores name, baud and time-out (seconds; below 1 stores
 * 1). Returns 0, or -1 when the port cannot be opened. */
QV_API int32_t SetParams(uint16_t baud, const char *port, int32_t time_out);
/* SetParams for this run only: the port is reopened and the name, baud and
 * time-out are used until Shutdown, but NQuorvan.ini keeps the ones it
 * holds. Returns 0, or -1 when the port cannot be opened. */
QV_API int32_t SetRunParams(uint16_t baud, const char *port, int32_t time_out);
/* Copies out the baud, the port name (into a buffer of QV_PORT_NAME_SIZE
 * bytes) and the time-out. */
QV_API void GetParams(uint16_t *baud, char *port, uint16_t *time_out);
/* Reopens the port with the name and baud: a serial device, or a network
 * port text as Init takes it (the connection becomes network). Returns 0, or
 * -1. */
QV_API int32_t SetPortBaud(const char *port, uint16_t baud);
/* The descriptor of the line in use (serial port or socket), -1 when there
 * is none. */
QV_API int32_t GetPort(void);
/* The connection type (1 serial, 2 modem, 3 network) and the role. */
QV_API void GetModes(int32_t *connection_type, int32_t *role);
/* Stores the connection type, and the role when it is 1 or 2. */
QV_API void SetModes(int32_t connection_type, int32_t role);

/* ---- field device ---------------------------------------------------------- */

/* The errors the field device puts into its answers: an extra byte, a byte
 * removed, a byte changed, manual editing (kept, changes no byte), a bad
 * FCS, a bad control field, a bad address, no answer at all; and the
 * message count (0: for every answer; n: the settings are cleared after n
 * requests went unanswered). */
QV_API void SetFieldDeviceErrorMode(uint8_t extra_byte, uint8_t remove_byte, uint8_t change_byte,
                                    uint8_t edit_manually, uint8_t invalid_crc, uint8_t invalid_control,
                                    uint8_t invalid_address, uint8_t no_response, int32_t message_count);
QV_API void GetFieldDeviceErrorMode(uint8_t *extra_byte, uint8_t *remove_byte, uint8_t *change_byte,
                                    uint8_t *edit_manually, uint8_t *invalid_crc, uint8_t *invalid_control,
                                    uint8_t *invalid_address, uint8_t *no_response, int32_t *message_count);

/* The field device's SNMP community. Once given one (a non-empty text), the
 * device discards every SNMP request with another community, unanswered and
 * with a line in the trace, as RFC 1157 has an agent do; NULL or "" (the
 * start) answers every community. Returns 0, or -1 without an engine. */
QV_API int32_t SetFieldCommunity(const char *community);

/* ---- PPP link ------------------------------------------------------------ */

/* The RFC 1661 automaton of LCP, driven by hand or by the line. States:
 * 0 Initial, 1 Starting, 2 Closed, 3 Stopped, 4 Closing, 5 Stopping,
 * 6 Request Sent, 7 Ack Received, 8 Ack Sent, 9 Opened. Phases: 0 Dead,
 * 1 Link Establishment, 2 Authentication, 3 Network, 4 Terminating. Events
 * by code: 1 Up, 2 Down, 3 Open, 4 Close, 5 TO+, 6 TO-, 7 RCR+, 8 RCR-(nak),
 * 21 RCR-(rej), 9 RCA, 10 RCN, 11 RTR, 12 RTA, 13 RUC, 14 (15) RXJ+,
 * 16 (17) RXJ-, 18 (19, 20) RXR; by name, a text that begins with one of
 * these names. An event step answers 0 (nothing to send), 1 (the reply
 * packet), 2 (the request packet) or 4 (the request, then the reply).
 *
 * The calls that send write each frame (protocol 0xC021 for LCP, 0xC223 for
 * CHAP) to the line and give display " Sent: " and the frame's byte text,
 * or "Error sending message" when the write failed; texts of the layer
 * (a refused packet, the CHAP outcome) go to display as they come.
 *
 * On a PPP link the receiver thread hands received LCP and CHAP frames to
 * the automaton and sends its answers; on quiet passes it runs the restart
 * timer and, in the Authentication phase, sends one CHAP challenge. NTCIP
 * messages travel as protocol 0x00C1. A field device on a PPP line raises
 * Up and Open (sending its Configure-Request) when its receiver thread
 * starts; a central station opens the link with StartPPP. */
#define QV_PPP_NOTHING 0
#define QV_PPP_REPLY 1
#define QV_PPP_REQUEST 2
#define QV_PPP_REQUEST_AND_REPLY 4

/* Raises Up and Open and sends the Configure-Request. Returns 0 when it was
 * sent, 1 when the write failed. */
QV_API int32_t StartPPP(QV_DisplayCallback display);
/* Sends a CHAP challenge when the link's Configure-Request negotiates CHAP
 * and returns 2; returns 0 otherwise. */
QV_API int32_t Authenticate(QV_DisplayCallback display);
/* Raises the event named and sends what its actions build. Returns the step's
 * answer; -1 when event is NULL. The argument is accepted for call
 * compatibility. */
QV_API int32_t DoPPPEventT(const char *event, int32_t argument, QV_DisplayCallback display);
/* Raise an event by code or by name without sending anything; return the
 * step's answer (a name that matches no event changes nothing). */
QV_API int32_t SetPPPEvent(int32_t event);
QV_API int32_t SetPPPEventT(const char *event, int32_t argument);
/* Builds an LCP packet chosen by its name ("Configure-Request",
 * "Configure-Ack", "Configure-Nak", "Configure-Reject", "Terminate-Request",
 * "Terminate-Ack", "Code-Reject", "Protocol-Reject", "Echo-Request",
 * "Echo-Reply", "Discard-Request") with the identifier given, sends it and
 * stores in *frame the frame's byte text (newly allocated). The automaton
 * is left as it was. Returns 0 when it was sent, 1 when the write failed,
 * -1 for a name that chooses no packet. */
QV_API int32_t SendLCPRawMessage(const char *name, char **frame, uint8_t identifier,
                                 QV_DisplayCallback display);
/* The link state, the last event raised, the link phase. */
QV_API int32_t GetLinkState(void);
QV_API int32_t GetLinkEvent(void);
QV_API int32_t GetLinkPhase(void);
/* The station's text for a link state, phase or event code ("Request Sent",
 * "Network", "RCR+" ...; a state outside the set is "No connection", a phase
 * or event outside it an empty text); newly allocated; NULL for another
 * kind. Works without an engine. */
#define QV_LINK_TEXT_STATE 0
#define QV_LINK_TEXT_PHASE 1
#define QV_LINK_TEXT_EVENT 2
/* The name that chooses the LCP packet of a code (1 Configure-Request ..
 * 11 Discard-Request) in SendLCPRawMessage; an empty text for another code. */
#define QV_LINK_TEXT_LCP_PACKET 3
QV_API char *GetLinkText(int32_t kind, int32_t value);
/* The option set of the Configure-Request, in its order: maximum receive
 * unit, async control character map (text; *map newly allocated),
 * authentication protocol (0xC223 CHAP, 0xC023 PAP), quality protocol,
 * magic number, protocol field compression, address and control field
 * compression, reserved, FCS alternatives, self-describing pad, numbered
 * mode, callback, one further flag. An option is offered when its value is
 * not 0 (not empty for the map; 1 for the one-octet switches). */
QV_API void GetLCPOptions(uint32_t *mru, char **map, uint32_t *authentication, uint32_t *quality,
                          uint32_t *magic, uint8_t *pfc, uint8_t *acfc, uint32_t *reserved,
                          uint32_t *fcs_alternatives, uint8_t *self_describing_pad,
                          uint8_t *numbered_mode, uint8_t *callback, uint8_t *further);
QV_API void SetLCPOptions(uint32_t mru, const char *map, uint32_t authentication, uint32_t quality,
                          uint32_t magic, uint8_t pfc, uint8_t acfc, uint32_t reserved,
                          uint32_t fcs_alternatives, uint8_t self_describing_pad, uint8_t numbered_mode,
                          uint8_t callback, uint8_t further);
/* The PPP information of the configuration: the CHAP secret. SetPPPInfo
 * stores it and gives it to the link; GetPPPInfo stores it in *info (newly
 * allocated) and gives it to the link again. Both return 0. */
QV_API int32_t SetPPPInfo(const char *info);
QV_API int32_t GetPPPInfo(char **info);
/* The restart timer of the automaton in milliseconds (30000 at start): how
 * long a Configure- or Terminate-Request waits for its answer before it is
 * sent again (at most ten times, then TO-). */
QV_API void SetPPPRestartTimer(uint32_t milliseconds);
/* Wakes the receiver thread with the link event: in the Authentication
 * phase a CHAP challenge is built and kept for checking the peer's
 * response, but not sent. */
QV_API void APISetLinkEvent(void);
/* 1 connected, 2 not connected. */
QV_API int32_t GetConnectionState(void);
/* The framing of a serial connection for this run: 1 PMPP (the default),
 * 2 PPP (a PPP link over a line that is already connected, as between two
 * stations on a null-modem cable or a pseudo-terminal pair). Modem
 * connections always use PPP. Call it before StartReceiverThread, which
 * takes the framing for its connection. Returns 0, or -1 for another
 * value; GetLinkType returns the framing. NQuorvan.ini does not keep it. */
#define QV_LINK_PMPP 1
#define QV_LINK_PPP 2
QV_API int32_t SetLinkType(int32_t link);
QV_API int32_t GetLinkType(void);

/* ---- dial-up on a Hayes modem ------------------------------------------- */

/* With the connection type 2 (modem) the line is a Hayes AT-command modem on
 * the configured port (Init, SetPortBaud and SetParams give it the port and
 * baud). A central station dials the configured number with DialupConnect;
 * a field device waits for a call on its receiver thread, answers on RING,
 * and on CONNECT raises Up and Open of the PPP link. The connected line is
 * read and written like the serial port and always carries PPP. A lost
 * carrier (DCD dropped, or the modem's "NO CARRIER") hangs up: the
 * connection state becomes 2, the PPP link sees Down, and a field device
 * waits for the next call. Every failure is shown as a message (see
 * SetModemNotice) and ends as not connected. */

/* Gives the number to the modem and stores it as the configured modem
 * number (NQuorvan.ini). The number may hold the dial modifiers "W", "w"
 * (wait for a dial tone), "@" (wait for quiet answer), "$" (wait for the
 * billing tone) and "?" (ask the user); the station pauses at the ones the
 * modem does not dial itself, and always at "?". The second argument is
 * accepted for call compatibility. Returns 0; -1 when number is NULL. */
QV_API int32_t SetModemComm(const char *number, const char *unused);
/* Stores in *number the modem's number (newly allocated). Returns 0, or -1
 * when number is NULL. */
QV_API int32_t GetModemComm(char **number);
/* Dial the modem's number and wait for the call (up to 30 waits of 3 s).
 * Return 1 when the call is connected (the connection state becomes 1),
 * 0 when it is not (busy, no answer, no dial tone, no carrier, a modem that
 * does not answer; the state becomes 2), -1 without an engine. DialPPP is
 * the same call. A caller that runs PPP shows QV_TEXT_DIALUP_PPP and
 * QV_TEXT_PPP_STARTING and calls StartPPP after a 1. */
QV_API int32_t DialupConnect(void);
QV_API int32_t DialPPP(void);
#define QV_TEXT_DIALUP_PPP "Connected, Initiating PPP over dialup line"
#define QV_TEXT_PPP_STARTING "PPP Starting up..."

/* Ends the call: the modem's escape to command mode and ATH, or DTR dropped
 * when it does not obey. The connection state becomes 2. Returns 0. */
QV_API int32_t DialupHangUp(void);

/* Shows a message of the modem: a failure (titles "Error", "Warning",
 * "Unable to Use Line", "Error on Requested line") or, titled "Dialing
 * Paused", a prompt at a dial modifier ("Wait for the second dial tone",
 * "Press OK when you are ready to continue dialing" ...); the dial goes on
 * when the callback returns. Called on the thread that dials, or on the
 * receiver thread for what happens to a call there. NULL: the texts go to
 * the receiver thread's display and a pause goes on at once. */
typedef int32_t (*QV_ModemNoticeCallback)(const char *title, const char *text);
QV_API void SetModemNotice(QV_ModemNoticeCallback notice);

/* The modem's settings (a value of 0 or NULL keeps the current one): the
 * initialisation string (default "ATE0V1Q0&D2"); the dial modifiers of
 * "$", "W", "w", "@" the modem dials itself (default "Ww@"; "-" for none);
 * a wait step in milliseconds (3000), the steps a dial waits for CONNECT
 * (30) and an answer waits (10); the guard time around the escape in
 * milliseconds (1100). Returns 0. */
QV_API int32_t SetModemOptions(const char *init_string, const char *dials_itself, int32_t wait_step_ms,
                               int32_t connect_waits, int32_t answer_waits, int32_t guard_time_ms);

/* ---- macro scripts ------------------------------------------------------------ */

/* Runs a macro script on a thread of its own: writes "\nRunning macro" and
 * the file name to display and returns 0 at once; the thread parses the
 * script, runs it and writes "\nAfter execution\n". Every message of the run
 * goes to display; user_input answers the script's inuser; edit is offered
 * the frames of the script's requests (either may be NULL). Returns -1
 * without an engine, and when a run is still going (display then says so):
 * one run at a time. */
QV_API int32_t Macro(const char *file_name, QV_DisplayCallback display, QV_UserInputCallback user_input,
                     QV_EditCallback edit);

/* The handle of the last macro run (1 for the first, counting up), -1 when
 * none was started. */
QV_API int32_t GetMacroHandle(void);

/* Waits until the macro run with the handle has ended. Returns 0 when the
 * script parsed and ran to its end, 1 when it did not (it failed to parse or
 * stopped on an error), -1 for an unknown handle. *verdicts, when verdicts
 * is not NULL, receives the checks the script recorded with verdict(), one
 * per line in the order recorded: "1 " when it passed or "0 " when it
 * failed, then its name (line breaks in a name become blanks); newly
 * allocated. */
QV_API int32_t WaitForMacro(int32_t handle, char **verdicts);

/* ---- PMPP framing for tools (no engine needed) ---------------------------------- */

/* The PMPP frame (flags, station address, control 0x13, IPI 0xC1, the
 * information, FCS, octets stuffed) of length octets of information to the
 * station address, into frame; *frame_length gives the room there and
 * receives the frame's length. Returns 0, or -1 when a pointer is missing or
 * the room is too small. */
QV_API int32_t PmppFrame(const uint8_t *information, uint16_t length, int32_t address, uint8_t *frame,
                         uint16_t *frame_length);

/* The station address and the information field of one complete PMPP frame
 * (length octets, both flags included); *information_length gives the room
 * in information and receives the field's length. Returns 0, or -1 when the
 * frame is broken (stuffing, length, FCS, no information field), a pointer
 * is missing or the room is too small. */
QV_API int32_t PmppUnframe(const uint8_t *frame, uint16_t length, int32_t *address, uint8_t *information,
                           uint16_t *information_length);

/* ---- the line's refusals ------------------------------------------------ */

/* Why the serial port could not be opened at the last Init, SetRunParams or
 * port change ("it is in use by another station or program", "No such file or
 * directory", "it is not a terminal device" ...), or NULL when it opened.
 * Newly allocated. */
QV_API char *GetPortError(void);

#ifdef __cplusplus
}
#endif

#endif /* QUORVAN_H */
