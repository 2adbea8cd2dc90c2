<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// A chat room from inside: the messages (a frame that refreshes itself)
// and the line to write. Who writes is the one the entry put in the
// Session.
var chat = Server.CreateObject("QTR50.Chat");
chat.SetConn(generale.Conn);
if (Posta()) {
    chat.AggiornaMessaggi();
    chat.Free();
    Response.Redirect("/chatstanza.asp");
}
var presente = chat.ApriPaginaInterventi();
chat.ChiudiPaginaInterventi();
var nomeStanza = "";
if (presente && chat.LeggiArgomento(chat.IDArgomento))
    nomeStanza = String(chat.NomeArgomento);
chat.ChiudiPaginaArgomenti();
var paginaCorrente = "/chatstanza.asp";
var titoloPagina = nomeStanza !== "" ? nomeStanza : T("PMTCHAT", "Chat");
%>
<!--#include virtual="testa.inc"-->
<% if (!presente) { %>
<section class="avviso" id="fuori-dalla-chat">
  <h1><%= H(T("PMTCHAT", "Chat")) %></h1>
  <p><%= H(T("MSGFUORICHAT", "Non sei in nessuna stanza: scegline una per entrare.")) %></p>
  <p><a class="bottone" href="/chat.asp"><%= H(T("PMTCHAT", "Chat")) %></a></p>
</section>
<% } else { %>
<nav class="briciole" aria-label="breadcrumb"><a href="/chat.asp"><%= H(T("PMTCHAT", "Chat")) %></a> › <span><%= H(nomeStanza) %></span></nav>
<section class="chat-stanza">
  <h1><%= H(nomeStanza) %></h1>
  <iframe id="messaggi" src="/chatmessaggi.asp" title="<%= H(T("PMTMESSAGGI", "Messaggi")) %>"></iframe>
  <form class="chat-scrivi" method="post" action="/chatstanza.asp" id="modulo-chat">
    <input type="text" id="testo-chat" name="Testo" maxlength="1000" autocomplete="off" required autofocus aria-label="<%= H(T("PMTMESSAGGIO", "Messaggio")) %>">
    <button class="bottone" type="submit"><%= H(T("PMTINVIA", "Invia")) %></button>
  </form>
  <p><a href="/chat.asp"><%= H(T("PMTESCICHAT", "Esci dalla stanza")) %></a></p>
</section>
<% }
chat.Free(); %>
<!--#include virtual="piede.inc"-->
