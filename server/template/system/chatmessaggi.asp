<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// The messages of the visitor's chat room, newest first, in the frame of
// chatstanza.asp; it asks for itself again every refresh period, which
// also keeps the visitor present.
var chat = Server.CreateObject("QTR50.Chat");
chat.SetConn(generale.Conn);
var messaggi = [];
if (chat.ApriPaginaInterventi()) {
    do {
        messaggi.push({ chi: String(chat.Nickname), testo: String(chat.TestoIntervento),
                        quando: DataOra(chat.DataIntervento, chat.OraIntervento) });
    } while (messaggi.length < chat.LunghezzaPaginaMessaggi && chat.LeggiInterventoSuccessivo());
}
chat.ChiudiPaginaInterventi();
var periodo = Math.max(2, Number(chat.FrequenzaAggiornamento) || 5);
chat.Free();
%><!DOCTYPE html>
<html lang="<%= H(linguaVisitatore) %>">
<head>
<meta charset="utf-8">
<meta http-equiv="refresh" content="<%= periodo %>">
<title><%= H(T("PMTMESSAGGI", "Messaggi")) %></title>
<link rel="stylesheet" href="/stile.css">
<link rel="stylesheet" href="/contenuti.css">
</head>
<body>
<ul class="messaggi-chat" id="lista-messaggi">
<% for (var i = 0; i < messaggi.length; ++i) { %>
  <li class="messaggio-chat"><span class="quando"><%= H(messaggi[i].quando.substring(11)) %></span><span class="chi"><%= H(messaggi[i].chi) %></span>: <span class="testo-chat"><%= H(messaggi[i].testo) %></span></li>
<% } %>
</ul>
</body>
</html>
<%
catalogo.Free();
dizionario.Free();
generale.Free();
%>
