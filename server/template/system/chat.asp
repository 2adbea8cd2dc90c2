<!--#include virtual="comune.inc"-->
<!--#include virtual="contenuti.inc"-->
<%
// The chat's rooms, with who is in them, and the entry under a nickname.
var chat = Server.CreateObject("QTR50.Chat");
chat.SetConn(generale.Conn);
// The level of rooms listed; an entry refused shows the same list again.
var stanzaCorrente = Numero(Posta() ? Request.Form("Livello") : Request.QueryString("IDArgomento"));
var errore = "";
var nickname = String(Session("Nickname") || "");
if (Posta()) {
    if (chat.IngressoUtente()) {
        chat.Free();
        Response.Redirect("/chatstanza.asp");
    }
    errore = String(chat.Errore);
    nickname = String(Session("Nickname") || "");
}
var stanza = null;
if (stanzaCorrente > 0 && chat.LeggiArgomento(stanzaCorrente))
    stanza = { nome: String(chat.NomeArgomento), descrizione: String(chat.DescrizioneArgomento),
               percorso: String(chat.PercorsoArgomenti) };
chat.ChiudiPaginaArgomenti();
var paginaCorrente = stanza ? Indirizzo("/chat.asp", { IDArgomento: stanzaCorrente }) : "/chat.asp";
var titoloPagina = stanza ? stanza.nome : T("PMTCHAT", "Chat");
%>
<!--#include virtual="testa.inc"-->
<nav class="briciole percorso" aria-label="breadcrumb"><a href="/chat.asp"><%= H(T("PMTCHAT", "Chat")) %></a><% if (stanza) { %> › <% if (stanza.percorso !== "") { %><%= stanza.percorso %> › <% } %><span><%= H(stanza.nome) %></span><% } %></nav>
<header class="intestazione-categoria">
  <h1><%= H(stanza ? stanza.nome : T("PMTCHAT", "Chat")) %></h1>
  <p><%= stanza ? Paragrafi(stanza.descrizione) : H(T("MSGCHAT", "Scegli una stanza, un nome e chiacchiera con gli altri visitatori.")) %></p>
</header>
<% if (errore !== "") { %>
<p class="messaggio errore" role="alert" id="ingresso-rifiutato"><%= H(errore) %></p>
<% } %>
<% if (chat.ApriPaginaArgomenti(stanzaCorrente)) { %>
<ul class="elenco-argomenti" id="stanze">
<%   do { %>
  <li class="riga-stanza" data-stanza="<%= chat.IDArgomento %>">
<%       if (chat.FlagSottoArgomenti) { %>
    <a class="titolo" href="<%= H(Indirizzo("/chat.asp", { IDArgomento: chat.IDArgomento })) %>"><%= H(chat.NomeArgomento) %></a>
<%       } else { %>
    <span class="titolo"><strong><%= H(chat.NomeArgomento) %></strong></span>
<%       } %>
    <p><%= H(chat.DescrizioneArgomento) %></p>
    <p class="dettaglio"><%= H(T("PMTUTENTICHAT", "[N] presenti", chat.NumeroUtentiArgomento)) %></p>
    <form class="chat-scrivi" method="post" action="/chat.asp">
      <input type="hidden" name="IDArgomento" value="<%= chat.IDArgomento %>">
      <input type="hidden" name="Livello" value="<%= stanzaCorrente %>">
      <input type="text" name="Nickname" required maxlength="30" aria-label="<%= H(T("PMTNICKNAME", "Il tuo nome in chat")) %>" placeholder="<%= H(T("PMTNICKNAME", "Il tuo nome in chat")) %>" value="<%= H(nickname) %>">
      <button class="bottone" type="submit"><%= H(T("PMTENTRA", "Entra")) %></button>
    </form>
  </li>
<%   } while (chat.LeggiArgomentoSuccessivO()); %>
</ul>
<% } else { %>
<p class="avviso" id="nessuna-stanza"><%= H(T("PMTNESSUNASTANZA", "Non ci sono stanze aperte.")) %></p>
<% }
chat.ChiudiPaginaArgomenti();
chat.Free(); %>
<!--#include virtual="piede.inc"-->
