#include "tests/network/network_fixture.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>

#include "quorvan.h"
#include "tests/support/owned_text.h"
#include "tests/support/sample.h"

namespace {

std::mutex display_mutex;
std::string displayed;

int32_t collect_display(const char* text) {
    std::lock_guard lock(display_mutex);
    displayed += text;
    displayed += '\n';
    return 0;
}

// Objects snmpd serves, with the values it starts from.
constexpr const char* kSnmpdObjects =
    "override -rw .1.3.6.1.4.1.1206.4.2.99.1.1.0 integer 7\n"
    "override -rw .1.3.6.1.4.1.1206.4.2.99.1.2.0 integer 9\n"
    "override -rw .1.3.6.1.4.1.1206.4.2.99.1.6.0 octet_str \"snmpd here\"\n"
    // demoOctets as a number: a Set of octets is of the wrong type (badValue).
    "override -rw .1.3.6.1.4.1.1206.4.2.99.1.5.0 integer 3\n";

}  // namespace

std::string central_display() {
    std::lock_guard lock(display_mutex);
    return displayed;
}

uint16_t free_loopback_port(int type) {
    const int fd = ::socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

Snmpd_Process::Snmpd_Process(const Temp_Dir& dir) : port_(free_loopback_port(SOCK_DGRAM)) {
    dir.write("snmpd.conf", std::string("rocommunity public 127.0.0.1\nrwcommunity Orchid 127.0.0.1\n") + kSnmpdObjects);
    // -C: this file only; -r: no root files; no MIB files are read (numeric OIDs).
    process_ = std::make_unique<Child_Process>(std::vector<std::string>{
        "/usr/bin/env", "MIBS=", "MIBDIRS=" + dir.path(), "/usr/sbin/snmpd", "-f", "-Lo", "-C", "-r", "-c",
        dir.file("snmpd.conf"), "-p", dir.file("snmpd.pid"), "udp:127.0.0.1:" + std::to_string(port_)});
    EXPECT_TRUE(process_->wait_for("NET-SNMP version")) << process_->output();
}

Snmpd_Process::~Snmpd_Process() { process_->stop(); }

Network_Test::Network_Test() : enter(central_dir.path()) {
    copy_sample_into(central_dir);
    copy_sample_into(field_dir);
    central_dir.write("NQuorvan.ini", "SERIAL\n/dev/null\n9600\n" + std::to_string(kTimeOut) + "\n\nCENTRAL\n\n");
    {
        std::lock_guard lock(display_mutex);
        displayed.clear();
    }
    EXPECT_EQ(Init("", 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    char output_name[16] = "Mibi.out";
    EXPECT_EQ(CompileMIB("Mibi", output_name, "Errors.out", 0), 0);
}

Network_Test::~Network_Test() {
    Shutdown();
    if (field) field->stop();
}

bool Network_Test::use_port(const std::string& port_text) {
    const bool opened = SetRunParams(9600, port_text.c_str(), kTimeOut) == 0;
    StartReceiverThread(collect_display, nullptr);
    return opened;
}

void Network_Test::start_field(const std::string& port_text, const std::vector<std::string>& options) {
    std::vector<std::string> argv{QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", port_text};
    argv.insert(argv.end(), options.begin(), options.end());
    field = std::make_unique<Child_Process>(argv);
    ASSERT_TRUE(field->wait_for("Field device answering on " + port_text)) << field->output();
}

void Network_Test::inject(const std::string& list) {
    const size_t offset = field->output_size();
    field->send_line("inject " + list + " 0");
    ASSERT_TRUE(field->wait_for("Injecting: " + list, offset)) << field->output();
}

int32_t Network_Test::send(const Request_Plan& plan) {
    std::string protocol = plan.stmp ? "STMP" : "SNMP";
    std::string class_name = "Class B";
    std::string community = plan.community;
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const Binding& binding : plan.bindings) {
        names.push_back(binding.name);
        values.push_back(binding.value);
    }
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = 1;
    request.get = plan.kind == Kind::get;
    request.get_next = plan.kind == Kind::get_next;
    request.set = plan.kind == Kind::set;
    request.object_count = static_cast<int32_t>(plan.bindings.size());
    for (size_t i = 0; i < plan.bindings.size(); ++i) {
        request.object_names[i] = names[i].data();
        request.values[i] = values[i].data();
        request.value_types[i] = plan.bindings[i].type;
    }
    return SendData(&request, collect_display, nullptr, 1);
}

Outcome Network_Test::outcome(int32_t id) {
    Outcome out;
    if (id < 0) return out;
    Owned_Text message;
    out.result = GetError(id, &message.text, &out.status, &out.index);
    out.message = message.text != nullptr ? message.text : "";
    Owned_Text value;
    if (GetResponseValue(id, &value.text) == 0) out.value = value.str();
    ClearErrorState(id);
    return out;
}
