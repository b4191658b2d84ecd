#include "service/http_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "service/request_handler.h"
#include "service/request_log.h"

namespace lanjian {

struct HttpServer::State {
  const Engine* engine = nullptr;
  ServerOptions options;
  MHD_Daemon* daemon = nullptr;
  int listenFd = -1;
  std::atomic<int> requestsInProgress{0};
};

namespace {

using Clock = std::chrono::steady_clock;

// How much of a refused body is read before the connection is dropped.
constexpr std::size_t kMaxDrainedBody = 8 * kMaxRequestBody;

// What one request has gathered between the library's calls.
struct RequestState {
  Clock::time_point start = Clock::now();
  std::string body;
  std::size_t bytesIn = 0;
  bool tooLarge = false;
  bool answered = false;
};

void LogLibraryMessage(void*, const char* format, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  std::size_t length = std::strlen(text);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) text[--length] = 0;
  WriteServiceLog(std::string("http: ") + text);
}

MHD_Result Answer(HttpServer::State& server, MHD_Connection* connection, const char* method,
                  const char* path, RequestState& request, const ServiceReply& reply) {
  MHD_Response* response = MHD_create_response_from_buffer(
      reply.body.size(), const_cast<char*>(reply.body.data()), MHD_RESPMEM_MUST_COPY);
  if (response == nullptr) return MHD_NO;
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.c_str());
  MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
  MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
  if (!reply.allow.empty()) {
    MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, reply.allow.c_str());
  }
  const MHD_Result queued =
      MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
  MHD_destroy_response(response);
  request.answered = true;

  if (server.options.logRequests) {
    RequestLogEntry entry;
    entry.method = method;
    entry.path = path;
    entry.status = reply.status;
    entry.bytesIn = request.bytesIn;
    entry.bytesOut = reply.body.size();
    entry.milliseconds =
        std::chrono::duration<double, std::milli>(Clock::now() - request.start).count();
    entry.candidates = reply.candidates;
    WriteServiceLog(FormatRequestLog(entry));
  }
  return queued;
}

bool DeclaredBodyTooLarge(MHD_Connection* connection) {
  const char* length =
      MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
  if (length == nullptr) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long declared = std::strtoull(length, &end, 10);
  return errno == ERANGE || declared > kMaxRequestBody;
}

MHD_Result OnRequest(void* context, MHD_Connection* connection, const char* path,
                     const char* method, const char* /*version*/, const char* uploadData,
                     std::size_t* uploadSize, void** requestContext) {
  auto& server = *static_cast<HttpServer::State*>(context);
  auto* request = static_cast<RequestState*>(*requestContext);
  const bool takesBody = RequestTakesBody(method, path);

  if (request == nullptr) {
    // Headers are in; the body (if any) follows in later calls.
    request = new RequestState();
    *requestContext = request;
    server.requestsInProgress.fetch_add(1);
    if (takesBody && DeclaredBodyTooLarge(connection)) {
      request->tooLarge = true;
      return Answer(server, connection, method, path, *request, BodyTooLargeReply());
    }
    return MHD_YES;
  }
  if (request->answered) {
    *uploadSize = 0;  // the rest of a refused body is read and dropped
    return MHD_YES;
  }
  if (*uploadSize > 0) {
    request->bytesIn += *uploadSize;
    if (takesBody && !request->tooLarge) {
      if (request->body.size() + *uploadSize > kMaxRequestBody) {
        request->tooLarge = true;
        request->body.clear();
        request->body.shrink_to_fit();
      } else {
        request->body.append(uploadData, *uploadSize);
      }
    }
    *uploadSize = 0;
    // The library answers only once the body is in, so an oversized body is
    // read and dropped; a sender that does not stop loses the connection.
    return request->bytesIn > kMaxDrainedBody ? MHD_NO : MHD_YES;
  }
  // The whole request is in.
  if (request->tooLarge) return Answer(server, connection, method, path, *request, BodyTooLargeReply());
  return Answer(server, connection, method, path, *request,
                HandleServiceRequest(*server.engine, method, path, request->body));
}

void OnRequestDone(void* context, MHD_Connection*, void** requestContext,
                   MHD_RequestTerminationCode) {
  auto& server = *static_cast<HttpServer::State*>(context);
  auto* request = static_cast<RequestState*>(*requestContext);
  if (request == nullptr) return;
  delete request;
  *requestContext = nullptr;
  server.requestsInProgress.fetch_sub(1);
}

// Our own listening socket, so that a taken port gets a clear message and
// port 0 can be read back.
int OpenListenSocket(const ServerOptions& options, std::uint16_t* boundPort, std::string* error) {
  sockaddr_storage address{};
  socklen_t addressLength = 0;
  auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
  if (inet_pton(AF_INET, options.host.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(options.port);
    addressLength = sizeof *v4;
  } else if (inet_pton(AF_INET6, options.host.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(options.port);
    addressLength = sizeof *v6;
  } else {
    *error = "not a numeric IP address: " + options.host;
    return -1;
  }
  const std::string where = (address.ss_family == AF_INET6 ? "[" + options.host + "]" : options.host) +
                            ":" + std::to_string(options.port);
  const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    *error = std::string("cannot create a socket: ") + std::strerror(errno);
    return -1;
  }
  const int on = 1;
  // Lets a restarted service bind while old connections linger in TIME_WAIT;
  // a second listener on the same port is still refused.
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (address.ss_family == AF_INET6) ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), addressLength) != 0) {
    const int code = errno;
    ::close(fd);
    if (code == EADDRINUSE) {
      *error = "cannot listen on " + where + ": the port is already in use (is another "
               "lanjian-recognizer running?)";
    } else {
      *error = "cannot listen on " + where + ": " + std::strerror(code);
    }
    return -1;
  }
  if (::listen(fd, SOMAXCONN) != 0) {
    *error = "cannot listen on " + where + ": " + std::strerror(errno);
    ::close(fd);
    return -1;
  }
  sockaddr_storage bound{};
  socklen_t boundLength = sizeof bound;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &boundLength);
  *boundPort = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                                 : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  return fd;
}

}  // namespace

std::unique_ptr<HttpServer> HttpServer::Start(const Engine& engine, const ServerOptions& options,
                                              std::string* error) {
  std::string message;
  std::unique_ptr<HttpServer> server(new HttpServer());
  server->state_ = std::make_unique<State>();
  State& state = *server->state_;
  state.engine = &engine;
  state.options = options;
  state.listenFd = OpenListenSocket(options, &server->port_, &message);
  if (state.listenFd < 0) {
    if (error) *error = message;
    return nullptr;
  }
  const unsigned threads = options.threads == 0 ? 1 : options.threads;
  const unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_ITC | MHD_USE_ERROR_LOG;
  // The logger goes first so that the library's own start-up messages use it.
  const MHD_OptionItem items[] = {
      {MHD_OPTION_EXTERNAL_LOGGER, reinterpret_cast<intptr_t>(&LogLibraryMessage), nullptr},
      {MHD_OPTION_LISTEN_SOCKET, state.listenFd, nullptr},
      {MHD_OPTION_CONNECTION_LIMIT, options.connectionLimit, nullptr},
      {MHD_OPTION_CONNECTION_TIMEOUT, options.idleTimeoutSeconds, nullptr},
      {MHD_OPTION_NOTIFY_COMPLETED, reinterpret_cast<intptr_t>(&OnRequestDone), &state},
      {threads > 1 ? MHD_OPTION_THREAD_POOL_SIZE : MHD_OPTION_END, threads, nullptr},
      {MHD_OPTION_END, 0, nullptr},
  };
  state.daemon = MHD_start_daemon(flags, 0, nullptr, nullptr, &OnRequest, &state, MHD_OPTION_ARRAY,
                                  items, MHD_OPTION_END);
  if (state.daemon == nullptr) {
    ::close(state.listenFd);
    state.listenFd = -1;
    if (error) *error = "cannot start the HTTP server (libmicrohttpd refused its settings)";
    return nullptr;
  }
  return server;
}

void HttpServer::Stop() {
  if (!state_ || state_->daemon == nullptr) return;
  State& state = *state_;
  const MHD_socket quiesced = MHD_quiesce_daemon(state.daemon);
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (state.requestsInProgress.load() > 0 && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  MHD_stop_daemon(state.daemon);
  state.daemon = nullptr;
  if (quiesced != MHD_INVALID_SOCKET) ::close(quiesced);
  state.listenFd = -1;
}

HttpServer::~HttpServer() { Stop(); }

}  // namespace lanjian
